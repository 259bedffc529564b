#pragma once

#include <QWidget>

class App;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QStatusBar;
class QWidget;
class UpdateAction;

// "Urlboks": the help pages visited in this run, as two lists kept row for row: the name of
// the structure on the left, the text of the page's node on the right. A double-click leads
// back to an entry; the information window adds the entries and keeps the current one.
class Turlform1 : public QWidget {
    Q_OBJECT
public:
    explicit Turlform1(App& app);

    void hentOpt();
    // Writes the size; a failure is shown and false returned.
    bool gemOpt();

    // The history, entry by entry.
    int entries() const;
    QString nodeText(int index) const;
    QString strukturName(int index) const;
    void addEntry(const QString& nodeText, const QString& strukturnavn);
    // Marks entry index in both lists; -1 marks none.
    void selectEntry(int index);

    void urlListeClick();
    void strukturlisteClick();
    void urlListeDblClick();
    void strukturlisteDblClick();
    void AsletAlleExecute();
    void lukKnapClick();

    QString optfilnavn;

    QLabel* overskriftLabel;
    QListWidget* strukturliste;
    QSplitter* Splitter1;
    QListWidget* urlListe;
    QWidget* knapPanel;
    QPushButton* sletKnap;
    QPushButton* lukKnap;
    QStatusBar* infoBar;

    UpdateAction* AsletAlle;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Passes the entry selected in list to the information window.
    void goBackTo(const QListWidget* list);

    App& app;
    bool shownBefore = false;
};
