#pragma once

#include <QStyledItemDelegate>

#include <QStringList>

class QListWidget;

// The names a group list shows, in order.
QStringList itemTexts(const QListWidget* list);

// Draws a group row as the group lists always showed them: the row's background, a small
// green square, the name, and a silver line along the bottom edge; every row 20 pixels high.
class GroupItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Gives list the look of a group list.
    static void install(QListWidget* list);
};

// Keeps the selected row of a list marked in the selection colour when the list loses the focus.
class ActiveSelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Draws the grid lines of a report-style list on one column: a line along each row's bottom
// and right edges, in the colour the style gives table grids.
class GridLineDelegate : public ActiveSelectionDelegate {
public:
    using ActiveSelectionDelegate::ActiveSelectionDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Room for the text's descenders and the check box's frame above the grid line, at any
    // scale.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
