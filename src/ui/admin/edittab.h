#pragma once

#include "ui/widgets/dropentry.h"

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class QTreeView;
class TickedElements;
class UpdateAction;
struct WindowContext;
namespace store {
class Model;
}

// The administration window's tab "Fjern eller rediger element": the current group's elements
// with tick boxes, the ticked ones to remove, and the chosen one to rename, readdress or reset.
class EditTab : public QWidget {
    Q_OBJECT
public:
    EditTab(WindowContext& context, QWidget* parent);

    void programBoksClick();
    void RedigerNavn();
    void aResetVisitsExecute();
    void fjernKnapClick();
    // A group renamed elsewhere in the window is named navn in the element list's heading
    // while it stays current.
    void showRenamed(const QString& navn);

    // The row selected in programBoks, -1 for none.
    int selectedElement() const;
    // The rows of programBoks and their ticks.
    TickedElements* tickedElements() const { return ticks; }

signals:
    // The information button asks for its help topic.
    void helpRequested(const QString& topic);
    // An element was dragged onto the element list, to be entered into the current group.
    void elementDropped(const QString& adresse, const QString& navn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildActions();
    // Refreshing from the model.
    void showCurrentGroup();
    void showMode();
    void clearEntryFields();

    WindowContext& context;
    store::Model& model;
    TickedElements* ticks;
    QString renamedGroup;
    // What a drag over the element list brings, read once per drag.
    DragReader drags;

    // Controls and actions, found by their object names in tests.
    QTreeView* programBoks;
    QToolButton* fjernKnap;
    QLineEdit* gNameEdit;
    QLabel* adrLabel2;
    QLineEdit* webUrlEdit;
    QLineEdit* nytekstEdit;
    QToolButton* nytekstKnap;
    QToolButton* Button1;
    QToolButton* sbInfo1;

    UpdateAction* aRedigerNavn;
    UpdateAction* aResetVisits;
};
