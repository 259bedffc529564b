#pragma once

#include "webrecord.h"

#include <QMainWindow>
#include <QStringList>

class App;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QMenu;
class QTableWidget;
class QToolButton;
class UpdateAction;

// The main window: the groups of the current content mode on the right, the elements of the
// current group on the left. It owns the program's state: content mode, current group, folder
// paths, group lists and the elements of the current group.
class Tmainform : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmainform(App& app);

    // Options and folders.
    void hentOpt();
    void gemOpt();
    void setMappe();
    void loadDesign();

    // The current group and its elements.
    void loadGruppefil();
    void ListenAdd();
    bool GemWeb();
    // Returns false when aNavn cannot be a file name: it is refused before anything is asked or
    // written, and callers keep what the user typed so it can be mended.
    // Taken by value: callers pass fields of Web, which this resizes.
    bool insertElement(QString aUrl, QString aNavn);

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
    void webBrowserExecute();
    // Starts the browser the administration window's choice puts first among those installed,
    // else the system's or the desktop's default browser; with none nothing happens.
    void startChosenBrowser();
    void webUrlExecute();
    bool webUrlBeforeBrowse();
    void Information(const QString& S);

    // The storage shelf: moves between the administration window's two working lists, and
    // saving them as the content mode's two group list files.
    void deleteGruppefil();
    void AgemForandringerExecute();

    // Visiting and launching.
    void runProgrammer();
    // parameters are given only to start the desktop's default browser, whose command may
    // carry arguments of its own.
    void runFilname(const QString& aFilename, const QString& parameters = QString());
    static void ErrorInfo(int Nr);

    // The row selected in Listen, -1 for none.
    int selectedRow() const;

    // The content folder of the current mode, programdir without its trailing separator.
    QString contentFolder() const;

    // The folder of the group called navn in the current content folder, whatever the letter
    // case of the folder on disk.
    QString groupFolder(const QString& navn) const;

    // Shows a file that could not be created or replaced in the platform's message box.
    static void writeError(const QString& path, const QString& reason);

    // Writes gruppeliste to webGruppefil; a failure is shown and false returned.
    bool saveGruppeliste();

    // Folders (see UserFolders).
    QString brugernavn;
    QString strukturDir;
    QString programdir0, programdir1, optdir;
    QString programdir;
    QString optFilnavn, webGruppefil, webLagerfil;

    bool opstart = true;
    quint8 funkNo = 0;
    QString designname;
    QString gruppenavn, gruppenavn0, gruppenavn1;
    QStringList gruppeliste, lagerliste;

    TWebArray Web;
    int WebNo = -1;
    int WebAntal = 0;
    QString gruppeDir;

    // Controls.
    QToolButton* Button2;
    QLabel* Label1;
    QLineEdit* webEdit1;
    QToolButton* Button3;
    QToolButton* insertKnap;
    QLabel* Label3;
    QLineEdit* webEdit2;
    QToolButton* Button1;
    QLabel* gruppenavnLabel;
    QTableWidget* Listen;
    QLabel* Label2;
    QListWidget* gruppeBoksen;
    QStatusBar* infoBar;
    QMenu* popupMenu;

    UpdateAction* webUrl;
    UpdateAction* actionAW;
    UpdateAction* actionIL;
    UpdateAction* actionSI;
    UpdateAction* actionInfo;
    UpdateAction* webBrowser;

    UpdateAction* AvalgteTilLager;
    UpdateAction* AvalgteTilbage;
    UpdateAction* AalleTilLager;
    UpdateAction* AalleTilbage;
    UpdateAction* AflytOp;
    UpdateAction* AflytNed;
    UpdateAction* AgemForandringer;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildActions();
    void buildShelfActions();
    void makeOptdir();
    void recordVisit(int row);

    App& app;
};
