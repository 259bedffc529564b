#pragma once

#include "pictures.h"

#include <QString>
#include <QStringList>

class QListWidget;
class QToolButton;

// Controls made alike on the administration window's tabs.
namespace tabcontrols {

// widget, with the object name name (tests find controls by it).
template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A flat button with a picture and its caption beside it, or the picture alone for an empty
// caption (then named by its hint).
QToolButton* flatButton(const char* name, const QString& caption, const QString& hint,
                        pictures::Kind picture);

// The list shows names, and nothing else.
void fill(QListWidget* list, const QStringList& names);

} // namespace tabcontrols
