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
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class UpdateAction;

// The administration window. It keeps nothing of its own but its options file and the storage
// tab's unsaved-changes flag: its lists and fields show the main window's state, and every
// change goes through the main window's operations and files.
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

    // Groups.
    void NyGruppe();
    void SletGruppe();
    void RedigerGruppe();
    void redigerCheckClick();
    void sorterKnapClick();

    // Elements.
    void InsertElement();
    void actionOpenEleExecute();
    void programBoksClick();
    void RedigerNavn();
    void aResetVisitsExecute();
    void fjernKnapClick();

    // The file dialog "Vælg program": the full path of the chosen file when one was chosen
    // and exists, else empty.
    QString OpenDia();

    // The chosen browser: 0 "Google Chrome", 1 "Microsoft Edge", -1 none.
    int browserIndex() const;
    void setBrowserIndex(int index);

    // Used by the main window when it (re)loads a group.
    void clearGroupFields();
    void showGroupName(const QString& navn);
    void addElementRow(const QString& navn);
    // Puts names into gruppeBoks and the main window's gruppeBoksen.
    void fillGroupLists(const QStringList& names);
    // The row selected in programBoks, -1 for none.
    int selectedElement() const;

    QString optfil;
    bool listerModified = false;

    QTabWidget* Bog;
    QWidget *side0, *side1, *side2, *side4;
    QStatusBar* infoBar;

    // "Grupper"
    QListWidget* gruppeBoks;
    QLineEdit* valgtGruppeEdit;
    QToolButton* sletKnap;
    QCheckBox* redigerCheck;
    QToolButton* redigerKnap;
    QLineEdit* gEdit;
    QToolButton* nyGruppeKnap;
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
    QToolButton* insertKnap;
    QToolButton* sbInfo2;
    QGroupBox* browserValg;

    // "Fjern eller rediger element"
    QTreeWidget* programBoks;
    QToolButton* fjernKnap;
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

    UpdateAction* aNyGruppe;
    UpdateAction* aSletGruppe;
    UpdateAction* aRedigerGruppe;
    UpdateAction* aInsertElement;
    UpdateAction* actionOpenEle;
    UpdateAction* aRedigerNavn;
    UpdateAction* aResetVisits;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildActions();
    QWidget* buildGroupsTab();
    QWidget* buildEntryTab();
    QWidget* buildEditTab();
    QWidget* buildShelfTab();
    void setAddressCaptions();
    bool groupSelected() const;

    App& app;
    QButtonGroup* browserButtons;
};
