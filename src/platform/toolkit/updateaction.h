#pragma once

#include <QAction>

class QAbstractButton;

#include <functional>

// An action with a rule that says when it is enabled. Every rule is worked out again when the
// application falls idle and right before the action runs, however it is started (button,
// shortcut, menu or code); a disabled action does nothing.
class UpdateAction : public QAction {
    Q_OBJECT
public:
    using Rule = std::function<bool()>;
    using Handler = std::function<void()>;

    UpdateAction(QObject* parent, const QString& caption, const QString& hint, Rule rule,
                 Handler handler);
    ~UpdateAction() override;

    // Works out the rule and sets the enabled state; returns it.
    bool update();
    // Runs the action from code: the rule first, then the handler if enabled. Returns whether
    // it ran.
    bool execute();

    // Works out the rules of all actions at once, as the application does when it falls idle.
    static void updateAll();
    // Has the rules worked out once the events of the moment are handled. For what changes a
    // rule's facts without any input: a page arriving in a view, a timer, another process.
    static void updateSoon();

    // Lets the action's shortcuts through to the action while control has the focus, where the
    // control would take the same keys for itself (a line edit's Ctrl+A selects its text).
    void takeShortcutsFrom(QWidget* control);

    // A push button that stands for the action: it shows the action's caption, picture, hint and
    // enabled state, follows their changes, and a click triggers the action.
    void drive(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Rule rule;
    Handler handler;
};
