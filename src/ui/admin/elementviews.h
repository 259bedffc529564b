#pragma once

#include <QIdentityProxyModel>
#include <QList>

// The elements as the administration window lists them: the name column with a tick box in
// every row, under a heading of its own. Ticks belong to this list only and are cleared every
// time the group is loaded anew.
class TickedElements : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit TickedElements(QAbstractItemModel* elements, QObject* parent);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeading(const QString& heading);
    const QString& heading() const { return heading_; }

    // The ticked rows, top to bottom.
    QList<int> tickedRows() const;

    // The column that shows the names and the ticks.
    static int nameColumn();

private:
    QList<int> ticked; // ascending
    QString heading_;
};
