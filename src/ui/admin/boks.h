#pragma once

#include <QWidget>

class EditTab;
class EntryTab;
class GroupsTab;
class ProgramSettings;
class QStatusBar;
class QTabWidget;
class ShelfTab;
struct WindowContext;
namespace store {
class ShelfDraft;
}

// The administration window: four tabs, each a class of its own over the model (or the storage
// shelf's draft), and a status bar for their hints. The window keeps nothing of its own but its
// options file.
class Tboksform : public QWidget {
    Q_OBJECT
public:
    Tboksform(WindowContext& context, store::ShelfDraft& draft);

    void hentOpt();
    void gemOpt();

signals:
    // An information button asks for its help topic.
    void helpRequested(const QString& topic);
    // The user chose the visual style called name in the style list.
    void designChosen(const QString& name);
    // "Slå op" on the entry tab: the chosen browser is to be started.
    void browserLookUpRequested();

protected:
    bool event(QEvent* event) override;

private:
    void buildControls(WindowContext& context, store::ShelfDraft& draft);

    ProgramSettings& settings;
    QString optfil;

    // Controls, found by their object names in tests.
    QTabWidget* Bog;
    QWidget *side0, *side1, *side2, *side4;
    QStatusBar* infoBar;

    GroupsTab* groupsTab;
    EntryTab* entryTab;
    EditTab* editTab;
    ShelfTab* shelfTab;
};
