#include "ui/admin/elementviews.h"

#include "store/elementlistmodel.h"

#include <algorithm>

TickedElements::TickedElements(QAbstractItemModel* elements, QObject* parent)
    : QIdentityProxyModel(parent) {
    setSourceModel(elements);
    connect(elements, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ticked.clear(); });
}

int TickedElements::nameColumn() {
    return store::ElementListModel::NavnColumn;
}

Qt::ItemFlags TickedElements::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    if (index.column() == nameColumn())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant TickedElements::data(const QModelIndex& index, int role) const {
    if (role == Qt::CheckStateRole && index.column() == nameColumn())
        return ticked.contains(index.row()) ? Qt::Checked : Qt::Unchecked;
    return QIdentityProxyModel::data(index, role);
}

bool TickedElements::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != nameColumn())
        return QIdentityProxyModel::setData(index, value, role);
    const bool tick = value.toInt() == Qt::Checked;
    const auto at = std::lower_bound(ticked.begin(), ticked.end(), index.row());
    const bool was = at != ticked.end() && *at == index.row();
    if (tick && !was)
        ticked.insert(at, index.row());
    else if (!tick && was)
        ticked.erase(at);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant TickedElements::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == nameColumn() && role == Qt::DisplayRole)
        return heading_;
    return QIdentityProxyModel::headerData(section, orientation, role);
}

void TickedElements::setHeading(const QString& heading) {
    heading_ = heading;
    emit headerDataChanged(Qt::Horizontal, nameColumn(), nameColumn());
}

QList<int> TickedElements::tickedRows() const {
    return ticked;
}
