#pragma once

#include <QWidget>

#include <optional>

struct WindowContext;
class QLabel;
class QListView;
class QPushButton;
class QSplitter;
class QStatusBar;
class QWidget;
class UpdateAction;
namespace store {
class HelpHistory;
}

// "Urlboks": the help history shown as two lists kept row for row: the name of the structure on
// the left, the text of the page's node on the right, both views of the one history. A
// double-click leads back to an entry; the history itself is kept below the windows.
class Turlform1 : public QWidget {
    Q_OBJECT
public:
    // mainWindow is the window it first comes up centred on.
    Turlform1(WindowContext& context, store::HelpHistory& history, QWidget* mainWindow);

    void hentOpt();
    // Writes the size; a failure is shown and false returned.
    bool gemOpt();

    // Marks entry index in both lists; -1 marks none.
    void selectEntry(int index);

    void urlListeClick();
    void strukturlisteClick();
    void urlListeDblClick();
    void strukturlisteDblClick();
    void AsletAlleExecute();
    void lukKnapClick();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Passes the entry selected in list to the information window.
    void goBackTo(const QListView* list);

    WindowContext& context;
    store::HelpHistory& history;
    QWidget* mainWindow;
    bool shownBefore = false;
    // The entry to mark once the window is shown, when one was asked for while it was hidden.
    std::optional<int> markWhenShown;

    QString optfilnavn;

    // Controls, found by their object names in tests.
    QLabel* overskriftLabel;
    QListView* strukturliste;
    QSplitter* Splitter1;
    QListView* urlListe;
    QWidget* knapPanel;
    QPushButton* sletKnap;
    QPushButton* lukKnap;
    QStatusBar* infoBar;

    UpdateAction* AsletAlle;
};
