#include "store/elementlistmodel.h"

namespace store {

ElementListModel::ElementListModel(const TWebArray& web_, QObject* parent)
    : QAbstractTableModel(parent), web(web_) {}

int ElementListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(web.size());
}

int ElementListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= web.size())
        return {};
    const TWebRecord& r = web[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case DatoColumn:
            return r.dato;
        case KlokkenColumn:
            return r.klokken;
        case VisitsColumn:
            return QString::number(r.Visits);
        case NavnColumn:
            return r.Navn;
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == VisitsColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ElementListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return captions.value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == VisitsColumn ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void ElementListModel::setCaptions(const QStringList& newCaptions) {
    captions = newCaptions;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void ElementListModel::beginReplace() {
    beginResetModel();
}

void ElementListModel::endReplace() {
    endResetModel();
}

void ElementListModel::elementChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace store
