#include "shelf.h"

#include "groups.h"

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

bool singleRowOfSeveral(const Lists& lists) {
    return lists.activeRows.size() == 1 && lists.active.size() >= 2 &&
           lists.activeRows.first() >= 0 && lists.activeRows.first() < lists.active.size();
}

Lists swapSelectedWith(const Lists& lists, int offset) {
    Lists moved = lists;
    const int row = lists.activeRows.first();
    moved.active.swapItemsAt(row, row + offset);
    moved.activeRows = {row + offset};
    return moved;
}

} // namespace

bool valgteTilLagerEnabled(const Lists& lists) {
    return !lists.active.isEmpty() && !lists.activeRows.isEmpty();
}

bool valgteTilbageEnabled(const Lists& lists) {
    return !lists.stored.isEmpty() && !lists.storedRows.isEmpty();
}

bool alleTilLagerEnabled(const Lists& lists) {
    return !lists.active.isEmpty();
}

bool alleTilbageEnabled(const Lists& lists) {
    return !lists.stored.isEmpty();
}

bool flytOpEnabled(const Lists& lists) {
    return singleRowOfSeveral(lists) && lists.activeRows.first() != 0;
}

bool flytNedEnabled(const Lists& lists) {
    return singleRowOfSeveral(lists) && lists.activeRows.first() != lists.active.size() - 1;
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
