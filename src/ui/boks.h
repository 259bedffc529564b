#pragma once

#include <QWidget>

class App;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;

// The administration window. It keeps nothing of its own but its options file and the storage
// tab's unsaved-changes flag: its lists and fields show the main window's state.
class Tboksform : public QWidget {
    Q_OBJECT
public:
    explicit Tboksform(App& app);

    void hentOpt();
    void gemOpt();
    void loadBokse();
    void SkiftGruppe();
    void funkCheckClick();
    void gruppeBoksClick();
    void designBoxChange();
    void BogChange();

    // The chosen browser: 0 "Google Chrome", 1 "Microsoft Edge", -1 none.
    int browserIndex() const;
    void setBrowserIndex(int index);

    // Used by the main window when it (re)loads a group.
    void clearGroupFields();
    void showGroupName(const QString& navn);
    void addElementRow(const QString& navn);
    // Puts names into gruppeBoks and the main window's gruppeBoksen.
    void fillGroupLists(const QStringList& names);

    QString optfil;
    bool listerModified = false;

    QTabWidget* Bog;
    QWidget *side0, *side1, *side2, *side4;
    QStatusBar* infoBar;

    // "Grupper"
    QListWidget* gruppeBoks;
    QLineEdit* valgtGruppeEdit;
    QPushButton* sletKnap;
    QCheckBox* redigerCheck;
    QPushButton* redigerKnap;
    QLineEdit* gEdit;
    QPushButton* nyGruppeKnap;
    QToolButton* sbInformationsKnap;
    QToolButton* sorterKnap;
    QComboBox* designBox;
    QCheckBox* funkCheck;

    // "Indfør element"
    QLineEdit* gruppeEdit;
    QLabel* adrLabel;
    QLineEdit* FilnavnEdit;
    QToolButton* openKnap;
    QLineEdit* tekstEdit;
    QPushButton* insertKnap;
    QToolButton* sbInfo2;
    QGroupBox* browserValg;

    // "Fjern eller rediger element"
    QTreeWidget* programBoks;
    QPushButton* fjernKnap;
    QLineEdit* gNameEdit;
    QLabel* adrLabel2;
    QLineEdit* webUrlEdit;
    QLineEdit* nytekstEdit;
    QToolButton* nytekstKnap;
    QToolButton* Button1;
    QToolButton* sbInfo1;

    // "Administrer grupper"
    QListWidget* Box;
    QListWidget* lagerBox;
    QToolButton *sbInformation, *tilLagerValgte, *tilbageValgte, *tilLagerAlle, *tilbageAlle,
        *flytOp, *flytNed, *gemKnap;

private:
    void buildControls();
    QWidget* buildGroupsTab();
    QWidget* buildEntryTab();
    QWidget* buildEditTab();
    QWidget* buildShelfTab();
    void setAddressCaptions();

    App& app;
    QButtonGroup* browserButtons;
};
