#pragma once

#include <QWidget>

class ProgramSettings;
struct WindowContext;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStatusBar;
class QTabWidget;
class ShelfTab;
class QToolButton;
class QTreeView;
class TickedElements;
namespace store {
class Model;
class ShelfDraft;
}
class UpdateAction;

// The administration window. It keeps nothing of its own but its options file: its lists and
// fields show the model's state and the storage shelf's draft, and every change goes through
// them.
class Tboksform : public QWidget {
    Q_OBJECT
public:
    Tboksform(WindowContext& context, store::ShelfDraft& draft);

    void hentOpt();
    void gemOpt();
    void loadDesign();
    void funkCheckClick();
    void gruppeBoksClick();
    void designBoxChange();

    // Groups.
    void NyGruppe();
    void SletGruppe();
    void RedigerGruppe();
    void redigerCheckClick();
    void sorterKnapClick();

    // Elements.
    void InsertElement();
    // An element dragged onto the element list, entered into the current group.
    void enterDropped(const QString& adresse, const QString& navn);
    void actionOpenEleExecute();
    void programBoksClick();
    void RedigerNavn();
    void aResetVisitsExecute();
    void fjernKnapClick();

    // The file dialog "Vælg program": the full path of the chosen file when one was chosen
    // and exists, else empty.
    QString OpenDia();

    // The row selected in programBoks, -1 for none.
    int selectedElement() const;
    // The rows of programBoks and their ticks.
    TickedElements* tickedElements() const { return ticks; }

    QString optfil;

signals:
    // An information button asks for its help topic.
    void helpRequested(const QString& topic);
    // The user chose the visual style called name in the style list.
    void designChosen(const QString& name);
    // "Slå op" on the entry tab: the chosen browser is to be started.
    void browserLookUpRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildActions();
    void buildGroupsTab(QWidget* page);
    void buildEntryTab(QWidget* page);
    void buildEditTab(QWidget* page);
    void setAddressCaptions();
    // Refreshing from the model.
    void showGroupLists();
    void showCurrentGroup();
    void showMode();
    void clearEntryFields();

    WindowContext& context;
    store::Model& model;
    store::ShelfDraft& draft;
    ProgramSettings& settings;
    // The radio buttons show the settings' browser choice.
    void showBrowserValg(int index);
    QButtonGroup* browserButtons;
    TickedElements* ticks;
    // A group renamed here is named in the element list's heading while it stays current.
    QString renamedGroup;

    // Controls and actions, found by their object names in tests.
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
    QTreeView* programBoks;
    QToolButton* fjernKnap;
    QLineEdit* gNameEdit;
    QLabel* adrLabel2;
    QLineEdit* webUrlEdit;
    QLineEdit* nytekstEdit;
    QToolButton* nytekstKnap;
    QToolButton* Button1;
    QToolButton* sbInfo1;

    // "Administrer grupper"
    ShelfTab* shelfTab;

    UpdateAction* aNyGruppe;
    UpdateAction* aSletGruppe;
    UpdateAction* aRedigerGruppe;
    UpdateAction* aInsertElement;
    UpdateAction* actionOpenEle;
    UpdateAction* aRedigerNavn;
    UpdateAction* aResetVisits;
};
