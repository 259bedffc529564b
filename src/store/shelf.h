#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The storage shelf's two working lists, as the tab "Administrer grupper" shows them: the
// active groups (Box) and the shelved groups (lagerBox), each with its selected rows. The
// moves are pure: the window hands in what its lists show and puts back what comes out.
namespace store::shelf {

struct Lists {
    QStringList active;    // Box, in display order
    QList<int> activeRows; // selected rows of Box, ascending, each within the list
    QStringList stored;    // lagerBox
    QList<int> storedRows; // selected rows of lagerBox, ascending, each within the list
};

// What the moves' rules ask of the two lists: their lengths and the count and ends of their
// selections. A window keeps these up to date from its lists' own signals, so the rules, which
// run after every input event, read a few numbers instead of copying thousands of names.
struct Facts {
    qsizetype active = 0;
    qsizetype activeSelected = 0;
    qsizetype firstActiveSelected = -1; // the lowest selected row of active, -1 for none
    qsizetype lastActiveSelected = -1;  // the highest
    qsizetype stored = 0;
    qsizetype storedSelected = 0;
};
// From the lengths of the two lists and their selected rows (ascending, each within its list).
Facts factsOf(qsizetype active, const QList<int>& activeRows, qsizetype stored,
              const QList<int>& storedRows);
Facts factsOf(const Lists& lists);

// Whether each move may run now. A move whose rule does not hold returns the lists unchanged,
// so a disabled action does nothing however it is started.
bool valgteTilLagerEnabled(const Facts& facts);
bool valgteTilbageEnabled(const Facts& facts);
bool alleTilLagerEnabled(const Facts& facts);
bool alleTilbageEnabled(const Facts& facts);
bool flytOpEnabled(const Facts& facts);
bool flytNedEnabled(const Facts& facts);
// The same, worked out from the lists themselves.
bool valgteTilLagerEnabled(const Lists& lists);
bool valgteTilbageEnabled(const Lists& lists);
bool alleTilLagerEnabled(const Lists& lists);
bool alleTilbageEnabled(const Lists& lists);
bool flytOpEnabled(const Lists& lists);
bool flytNedEnabled(const Lists& lists);

// The selected names of one list go to the end of the other, in their order; the list they
// left has no selection, the other keeps its own. Nothing is sorted and a name already in the
// other list is appended all the same.
Lists valgteTilLager(const Lists& lists);
Lists valgteTilbage(const Lists& lists);

// Every name of one list goes to the end of the other, in order.
Lists alleTilLager(const Lists& lists);
Lists alleTilbage(const Lists& lists);

// The single selected active name changes place with its neighbour above or below and stays
// the only selected row (the window makes it the current row too), so pressing the same
// button again moves it one place further.
Lists flytOp(const Lists& lists);
Lists flytNed(const Lists& lists);

// Saving starts here: true when a group is current and no active row names it (A to Z folded,
// as the program compares names), so the current group has been shelved or moved out and is
// no longer selected once the lists are saved.
bool currentGroupLeavesActive(const QString& gruppenavn, const QStringList& active);

} // namespace store::shelf
