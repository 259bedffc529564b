#include "platform/toolkit/updateaction.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QList>
#include <QTimer>
#include <QWidget>

namespace {

// Works out the rules of all actions once the events of the moment have been handled, the
// way the application does when it falls idle after input.
class IdleUpdater : public QObject {
public:
    QList<UpdateAction*> actions;

    static IdleUpdater& instance() {
        static IdleUpdater* updater = [] {
            auto* u = new IdleUpdater;
            QCoreApplication::instance()->installEventFilter(u);
            return u;
        }();
        return *updater;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
            // A shortcut or a click may be about to run an action: its rule must be fresh. The
            // event goes on to the parents of a widget that ignores it; the rules are worked
            // out once for it, not once for every widget it passes.
            if (event != freshFor) {
                updateAll();
                freshFor = event;
            }
            schedule();
            break;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowActivate:
            freshFor = nullptr;
            schedule();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

    void schedule() {
        if (pending)
            return;
        pending = true;
        QTimer::singleShot(0, this, [this] {
            pending = false;
            freshFor = nullptr;
            updateAll();
        });
    }

    void updateAll() {
        const QList<UpdateAction*> all = actions;
        for (UpdateAction* action : all)
            action->update();
    }

private:
    bool pending = false;
    // The shortcut or press the rules were last worked out for, until another event comes.
    const QEvent* freshFor = nullptr;
};

QString longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace

UpdateAction::UpdateAction(QObject* parent, const QString& caption, const QString& hint, Rule rule_,
                           Handler handler_)
    : QAction(caption, parent), rule(std::move(rule_)), handler(std::move(handler_)) {
    setStatusTip(longHint(hint));
    // Shortcuts, buttons and menus reach the handler only through here, so the rule is
    // always worked out again first.
    connect(this, &QAction::triggered, this, [this] {
        if (update())
            handler();
    });
    IdleUpdater::instance().actions.append(this);
    IdleUpdater::instance().schedule();
}

UpdateAction::~UpdateAction() {
    IdleUpdater::instance().actions.removeOne(this);
}

bool UpdateAction::update() {
    const bool enabled = !rule || rule();
    setEnabled(enabled);
    return enabled;
}

bool UpdateAction::execute() {
    if (!update())
        return false;
    handler();
    return true;
}

void UpdateAction::updateAll() {
    IdleUpdater::instance().updateAll();
}

void UpdateAction::updateSoon() {
    IdleUpdater::instance().schedule();
}

void UpdateAction::takeShortcutsFrom(QWidget* control) {
    control->installEventFilter(this);
}

bool UpdateAction::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (shortcuts().contains(QKeySequence(key->keyCombination()))) {
            // Left unaccepted, the keys go on to the shortcut and not to the control.
            event->ignore();
            return true;
        }
    }
    return QAction::eventFilter(watched, event);
}

void UpdateAction::drive(QAbstractButton* button) {
    auto follow = [this, button] {
        button->setText(text());
        button->setIcon(icon());
        button->setStatusTip(statusTip());
        button->setEnabled(isEnabled());
    };
    follow();
    connect(this, &QAction::changed, button, follow);
    connect(button, &QAbstractButton::clicked, this, &QAction::trigger);
}
