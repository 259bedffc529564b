#pragma once

#include "store/webrecord.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace store {

// The elements of the current group as rows of four columns (date, time, visits, name), read
// straight from the model's array, so every list of elements shows the same rows without
// copies. The model tells it when the array is replaced or one element changes.
class ElementListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DatoColumn, KlokkenColumn, VisitsColumn, NavnColumn, ColumnCount };

    ElementListModel(const TWebArray& web, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The column captions, left to right; the window names them in its own words.
    void setCaptions(const QStringList& captions);

    void beginReplace();
    void endReplace();
    void elementChanged(int row);

private:
    const TWebArray& web;
    QStringList captions;
};

} // namespace store
