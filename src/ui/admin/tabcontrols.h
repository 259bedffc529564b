#pragma once

#include "platform/toolkit/updateaction.h"
#include "ui/widgets/pictures.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

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

// A line edit, of a fixed width unless width is 0.
QLineEdit* edit(const char* name, int width = 0);
// A read-only field that the Tab key passes over.
QLineEdit* shownField(const char* name, int width);
// A button that runs an action and shows its caption and picture.
QToolButton* actionButton(const char* name, int width = 0);
// The caption text for buddy, which a screen reader also names it by.
QLabel* buddyLabel(const QString& text, QWidget* buddy);
// The thin line between the sections of a tab, with a margin above it.
QWidget* separator();
// The widgets side by side, then what room is left unless stretch is false.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true);
// Fills a tab with two panes side by side, the right one taking what room is left.
void splitPage(QWidget* page, QWidget* left, QWidget* right, const QList<int>& sizes = {});

// An action of the tab owner, with the object name name; added to owner, so that the window
// holding the tab can take its shortcuts too.
UpdateAction* action(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                     pictures::Kind picture, UpdateAction::Rule rule,
                     UpdateAction::Handler handler);
// The button runs the action and shows it; an action without a caption shows its picture alone
// and names the button by its hint.
void bind(QToolButton* button, UpdateAction* action);

// What the address field is called in the content mode funkNo.
QString addressCaption(int funkNo);

} // namespace tabcontrols
