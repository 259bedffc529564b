#pragma once

#include "platform/toolkit/updateaction.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class ProgramSettings;
struct WindowContext;
namespace store {
class Model;
}

// The administration window's tab "Indfør element": an address (or program) and a short name,
// checked and entered into the current group, and the browser used to look an address up.
class EntryTab : public QWidget {
    Q_OBJECT
public:
    // inView tells whether the tab is the one shown: only then do its actions run.
    EntryTab(WindowContext& context, UpdateAction::Rule inView, QWidget* parent);

    void InsertElement();
    // An element given from elsewhere in the window (a drag onto the element list), entered as
    // if typed here.
    void enterDropped(const QString& adresse, const QString& navn);
    void actionOpenEleExecute();
    // The file dialog "Vælg program": the full path of the chosen file when one was chosen
    // and exists, else empty.
    QString OpenDia();

signals:
    // The information button asks for its help topic.
    void helpRequested(const QString& topic);
    // "Slå op": the chosen browser is to be started.
    void browserLookUpRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildActions();
    // Refreshing from the model and the settings.
    void showCurrentGroup();
    void showMode();
    void clearEntryFields();
    // The radio buttons show the settings' browser choice.
    void showBrowserValg(int index);
    bool canInsert() const;

    WindowContext& context;
    store::Model& model;
    ProgramSettings& settings;
    UpdateAction::Rule inView;
    QButtonGroup* browserButtons;

    // Controls and actions, found by their object names in tests.
    QLineEdit* gruppeEdit;
    QLabel* adrLabel;
    QLineEdit* FilnavnEdit;
    QToolButton* openKnap;
    QLineEdit* tekstEdit;
    QToolButton* insertKnap;
    QToolButton* sbInfo2;
    QGroupBox* browserValg;

    UpdateAction* aInsertElement;
    UpdateAction* actionOpenEle;
};
