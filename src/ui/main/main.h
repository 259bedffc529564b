#pragma once

#include "ui/main/bookmarktransfer.h"
#include "ui/widgets/dropentry.h"

#include <QMainWindow>
#include <QStringList>

struct WindowContext;

class ProgramSettings;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QMenu;
class QTableView;
class QToolButton;
class UpdateAction;
namespace store {
class Model;
}

// The main window: the groups of the current content mode on the right, the elements of the
// current group on the left. It shows the model's state and hands every change to the model.
class Tmainform : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmainform(WindowContext& context);

    // Options.
    void hentOpt();
    void gemOpt();
    // Sets the visual style by name; the settings keep the name for the options file.
    void setDesign(const QString& name);

    // Actions and handlers.
    void ListenClick();
    void ListenDblClick();
    void ListenKeyPress(int key);
    void gruppeBoksenDblClick();
    void gruppeBoksenKeyPress(int key);
    void actionAWExecute();
    void actionSIExecute();
    void actionInfoExecute();
    void actionILExecute();
    // An element dragged onto the element list, entered into the current group.
    void enterDropped(const QString& adresse, const QString& navn);
    void webBrowserExecute();
    // Starts the browser the settings' choice puts first among those installed,
    // else the system's or the desktop's default browser; with none nothing happens.
    void startChosenBrowser();
    void webUrlExecute();
    bool webUrlBeforeBrowse();
    // Asks for the help topic S.
    void Information(const QString& S);
    // Makes the group called gruppe current, as choosing it in the group list does, selects the
    // element of that file in Listen and visits it as a double-click there would.
    void visitElement(const QString& gruppe, const QString& sourceFile);

    // Visiting and launching.
    void runProgrammer();
    // parameters are given only to start the desktop's default browser, whose command may
    // carry arguments of its own.
    void runFilname(const QString& aFilename, const QString& parameters = QString());

    // The row selected in Listen, -1 for none.
    int selectedRow() const;

signals:
    // "Find element..." was chosen.
    void findRequested();
    // The administration window is wanted in front.
    void adminRequested();
    // The help window is to show the topic.
    void helpRequested(const QString& topic);
    // "main.txt" has been written, or failed to be, at the close: the administration window's
    // options are written now too.
    void optionsSaved();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildActions();
    // Shows what went wrong while the user's folders were made.
    void makeOptdir();
    bool recordVisit(int row);
    // Refreshing from the model.
    void showGroupLists();
    void showCurrentGroup();
    void showMode();

    WindowContext& context;
    ProgramSettings& settings;
    store::Model& model;
    BookmarkTransfer bookmarkTransfer;
    // What a drag over the element list brings, read once per drag.
    DragReader drags;

    // "main.txt" in the user's options folder.
    QString optFilnavn;
    // Not yet shown: the first showing loads the current group.
    bool opstart = true;

    // Controls and actions, found by their object names in tests.
    QTableView* Listen;
    QListWidget* gruppeBoksen;
    QToolButton* Button2;
    QLabel* Label1;
    QLineEdit* webEdit1;
    QToolButton* Button3;
    QToolButton* insertKnap;
    QLabel* Label3;
    QLineEdit* webEdit2;
    QToolButton* Button1;
    QLabel* gruppenavnLabel;
    QLabel* Label2;
    QStatusBar* infoBar;
    QMenu* popupMenu;

    UpdateAction* webUrl;
    UpdateAction* actionAW;
    UpdateAction* actionIL;
    UpdateAction* actionSI;
    UpdateAction* actionInfo;
    UpdateAction* webBrowser;
    UpdateAction* aImportBookmarks;
    UpdateAction* aImportProfile;
    UpdateAction* aExportBookmarks;
    UpdateAction* aFind;
};
