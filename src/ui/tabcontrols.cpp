#include "tabcontrols.h"

#include <QListWidget>
#include <QToolButton>

namespace tabcontrols {

QToolButton* flatButton(const char* name, const QString& caption, const QString& hint,
                        pictures::Kind picture) {
    auto* b = named(new QToolButton, name);
    b->setText(caption);
    b->setIcon(pictures::icon(picture));
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                            : Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setStatusTip(hint);
    // A button showing only a picture is named by its hint.
    b->setAccessibleName(caption.isEmpty() ? hint : caption);
    return b;
}

void fill(QListWidget* list, const QStringList& names) {
    list->clear();
    list->addItems(names);
}

} // namespace tabcontrols
