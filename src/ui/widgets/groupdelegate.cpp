#include "ui/widgets/groupdelegate.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>

#include <algorithm>

void GroupItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->save();
    // The selected row stays marked when the list loses the focus.
    painter->fillRect(r, selected ? pal.brush(QPalette::Active, QPalette::Highlight)
                                  : pal.brush(QPalette::Base));
    painter->fillRect(QRect(r.left() + 2, r.top() + 5, 10, 10), QColor(192, 220, 192));
    painter->setPen(selected ? pal.color(QPalette::Active, QPalette::HighlightedText)
                             : pal.color(QPalette::Text));
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    painter->drawText(QPoint(r.left() + 16, r.top() + 3 + fm.ascent()),
                      index.data(Qt::DisplayRole).toString());
    painter->setPen(QColor(192, 192, 192));
    painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter->restore();
}

QSize GroupItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 20};
}

void GroupItemDelegate::install(QListWidget* list) {
    list->setItemDelegate(new GroupItemDelegate(list));
    list->setUniformItemSizes(true);
}

void ActiveSelectionDelegate::initStyleOption(QStyleOptionViewItem* option,
                                              const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state |= QStyle::State_Active;
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    ActiveSelectionDelegate::paint(painter, option, index);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QColor grid =
        QColor::fromRgba(QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &option, widget)));
    const QRect r = option.rect;
    painter->save();
    painter->setPen(grid);
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
}

QSize GridLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QSize hint = ActiveSelectionDelegate::sizeHint(option, index);
    return {hint.width(), std::max(hint.height(), QFontMetrics(option.font).height() + 4)};
}

QStringList itemTexts(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}
