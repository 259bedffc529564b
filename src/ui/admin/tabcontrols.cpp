#include "ui/admin/tabcontrols.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

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

QLineEdit* edit(const char* name, int width) {
    auto* e = named(new QLineEdit, name);
    if (width)
        e->setFixedWidth(width);
    return e;
}

QLineEdit* shownField(const char* name, int width) {
    auto* e = edit(name, width);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QToolButton* actionButton(const char* name, int width) {
    auto* b = named(new QToolButton, name);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedHeight(25);
    // The designed width, or more where the caption needs it in the font at hand.
    if (width)
        b->setMinimumWidth(width);
    return b;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return l;
}

QWidget* separator() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 8, 0, 0);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(3);
    layout->addWidget(line);
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(4);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch();
    return layout;
}

// The panes come empty: the splitter measures what it is given, and controls measured before
// the window is shown are polished under the style sheet at once instead of at the first
// showing.
void splitPage(QWidget* page, QWidget* left, QWidget* right, const QList<int>& sizes) {
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    layout->addWidget(splitter);
    splitter->addWidget(left);
    splitter->addWidget(right);
    if (!sizes.isEmpty())
        splitter->setSizes(sizes);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
}

UpdateAction* action(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                     pictures::Kind picture, UpdateAction::Rule rule,
                     UpdateAction::Handler handler) {
    auto* a = new UpdateAction(owner, caption, hint, std::move(rule), std::move(handler));
    a->setObjectName(QString::fromLatin1(name));
    a->setIcon(pictures::icon(picture));
    owner->addAction(a);
    return a;
}

void bind(QToolButton* button, UpdateAction* action) {
    button->setDefaultAction(action);
    if (action->text().isEmpty()) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFixedWidth(button->minimumWidth());
        button->setAccessibleName(action->statusTip());
    }
}

QString addressCaption(int funkNo) {
    return funkNo == 0 ? QStringLiteral("Werbadresse") : QStringLiteral("Program");
}

} // namespace tabcontrols
