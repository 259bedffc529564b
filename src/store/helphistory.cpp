#include "store/helphistory.h"

#include "platform/textcompare.h"

#include <algorithm>

namespace store {

HelpHistory::HelpHistory(QObject* parent) : QAbstractTableModel(parent) {}

QString HelpHistory::nodeText(int index) const {
    return index >= 0 && index < entries() ? rows[index].nodeText : QString();
}

QString HelpHistory::strukturName(int index) const {
    return index >= 0 && index < entries() ? rows[index].strukturnavn : QString();
}

bool HelpHistory::endMove() {
    if (!moving)
        return false;
    moving = false;
    emit currentShown(current);
    return true;
}

void HelpHistory::record(const QString& nodeText, const QString& strukturnavn) {
    int found = -1;
    for (int i = 0; i < entries(); ++i) {
        if (sameTextAZ(rows[i].nodeText, nodeText) &&
            sameTextAZ(rows[i].strukturnavn, strukturnavn))
            found = i;
    }
    if (found < 0) {
        const int row = entries();
        beginInsertRows({}, row, row);
        rows.append({nodeText, strukturnavn});
        endInsertRows();
        found = row;
    }
    current = found;
    emit currentShown(current);
}

bool HelpHistory::goToStruktur(int aIndex) {
    if (aIndex < 0 || aIndex >= entries())
        return false;
    current = aIndex;
    moving = true;
    emit openRequested(rows[aIndex].nodeText);
    return true;
}

void HelpHistory::first() {
    if (canFirst())
        goToStruktur(0);
}

void HelpHistory::back() {
    if (!canBack())
        return;
    current = std::max(current - 1, 0);
    goToStruktur(current);
}

void HelpHistory::forward() {
    if (!canForward())
        return;
    current = std::min(current + 1, entries() - 1);
    goToStruktur(current);
}

void HelpHistory::last() {
    if (!canLast())
        return;
    current = entries() - 1;
    goToStruktur(current);
}

void HelpHistory::clear() {
    beginResetModel();
    rows.clear();
    current = -1;
    endResetModel();
}

int HelpHistory::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : entries();
}

int HelpHistory::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HelpHistory::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Entry& e = rows[index.row()];
    return index.column() == NodeTextColumn ? e.nodeText : e.strukturnavn;
}

} // namespace store
