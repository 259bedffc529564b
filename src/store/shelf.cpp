#include "store/shelf.h"

#include "store/groups.h"

#include <algorithm>

namespace store::shelf {

namespace {

bool isSelected(const QList<int>& rows, int row) {
    return std::binary_search(rows.cbegin(), rows.cend(), row);
}

// Appends the selected names of from to to, in from's order, and drops them from from.
void moveSelected(QStringList& from, QList<int>& fromRows, QStringList& to) {
    QStringList kept;
    for (int row = 0; row < from.size(); ++row)
        (isSelected(fromRows, row) ? to : kept).append(from[row]);
    from = kept;
    fromRows.clear();
}

void moveAll(QStringList& from, QList<int>& fromRows, QStringList& to) {
    to += from;
    from.clear();
    fromRows.clear();
}

Lists swapSelectedWith(const Lists& lists, int offset) {
    Lists moved = lists;
    const int row = lists.activeRows.first();
    moved.active.swapItemsAt(row, row + offset);
    moved.activeRows = {row + offset};
    return moved;
}

bool singleRowOfSeveral(const Facts& facts) {
    return facts.activeSelected == 1 && facts.active >= 2 && facts.firstActiveSelected >= 0 &&
           facts.firstActiveSelected < facts.active;
}

} // namespace

Facts factsOf(qsizetype active, const QList<int>& activeRows, qsizetype stored,
              const QList<int>& storedRows) {
    Facts facts;
    facts.active = active;
    facts.activeSelected = activeRows.size();
    if (!activeRows.isEmpty()) {
        facts.firstActiveSelected = activeRows.first();
        facts.lastActiveSelected = activeRows.last();
    }
    facts.stored = stored;
    facts.storedSelected = storedRows.size();
    return facts;
}

Facts factsOf(const Lists& lists) {
    return factsOf(lists.active.size(), lists.activeRows, lists.stored.size(), lists.storedRows);
}

bool valgteTilLagerEnabled(const Facts& facts) {
    return facts.active > 0 && facts.activeSelected > 0;
}

bool valgteTilbageEnabled(const Facts& facts) {
    return facts.stored > 0 && facts.storedSelected > 0;
}

bool alleTilLagerEnabled(const Facts& facts) {
    return facts.active > 0;
}

bool alleTilbageEnabled(const Facts& facts) {
    return facts.stored > 0;
}

bool flytOpEnabled(const Facts& facts) {
    return singleRowOfSeveral(facts) && facts.firstActiveSelected != 0;
}

bool flytNedEnabled(const Facts& facts) {
    return singleRowOfSeveral(facts) && facts.lastActiveSelected != facts.active - 1;
}

bool valgteTilLagerEnabled(const Lists& lists) {
    return valgteTilLagerEnabled(factsOf(lists));
}
bool valgteTilbageEnabled(const Lists& lists) {
    return valgteTilbageEnabled(factsOf(lists));
}
bool alleTilLagerEnabled(const Lists& lists) {
    return alleTilLagerEnabled(factsOf(lists));
}
bool alleTilbageEnabled(const Lists& lists) {
    return alleTilbageEnabled(factsOf(lists));
}
bool flytOpEnabled(const Lists& lists) {
    return flytOpEnabled(factsOf(lists));
}
bool flytNedEnabled(const Lists& lists) {
    return flytNedEnabled(factsOf(lists));
}

Lists valgteTilLager(const Lists& lists) {
    if (!valgteTilLagerEnabled(lists))
        return lists;
    Lists moved = lists;
    moveSelected(moved.active, moved.activeRows, moved.stored);
    return moved;
}

Lists valgteTilbage(const Lists& lists) {
    if (!valgteTilbageEnabled(lists))
        return lists;
    Lists moved = lists;
    moveSelected(moved.stored, moved.storedRows, moved.active);
    return moved;
}

Lists alleTilLager(const Lists& lists) {
    if (!alleTilLagerEnabled(lists))
        return lists;
    Lists moved = lists;
    moveAll(moved.active, moved.activeRows, moved.stored);
    return moved;
}

Lists alleTilbage(const Lists& lists) {
    if (!alleTilbageEnabled(lists))
        return lists;
    Lists moved = lists;
    moveAll(moved.stored, moved.storedRows, moved.active);
    return moved;
}

Lists flytOp(const Lists& lists) {
    return flytOpEnabled(lists) ? swapSelectedWith(lists, -1) : lists;
}

Lists flytNed(const Lists& lists) {
    return flytNedEnabled(lists) ? swapSelectedWith(lists, +1) : lists;
}

bool currentGroupLeavesActive(const QString& gruppenavn, const QStringList& active) {
    return !gruppenavn.isEmpty() && groupIndex(active, gruppenavn) < 0;
}

} // namespace store::shelf
