#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QToolButton;
class ProgramSettings;
class UpdateAction;
struct WindowContext;
namespace store {
class Model;
}

// The administration window's tab "Grupper": the groups of the current content mode, the
// current one to delete or rename, a new one to make, the list's sorting, the visual style and
// the content mode. The list and fields show the model's state; every change goes through it.
class GroupsTab : public QWidget {
    Q_OBJECT
public:
    GroupsTab(WindowContext& context, QWidget* parent);

    void loadDesign();
    void funkCheckClick();
    void gruppeBoksClick();
    void designBoxChange();
    void NyGruppe();
    void SletGruppe();
    void RedigerGruppe();
    void redigerCheckClick();
    void sorterKnapClick();

signals:
    // The information button asks for its help topic.
    void helpRequested(const QString& topic);
    // The user chose the visual style called name in the style list.
    void designChosen(const QString& name);
    // The current group was renamed here and is now called navn.
    void groupRenamed(const QString& navn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildActions();
    // Refreshing from the model.
    void showGroupLists();
    void showCurrentGroup();
    void showMode();

    WindowContext& context;
    store::Model& model;
    ProgramSettings& settings;

    // Controls and actions, found by their object names in tests.
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

    UpdateAction* aNyGruppe;
    UpdateAction* aSletGruppe;
    UpdateAction* aRedigerGruppe;
};
