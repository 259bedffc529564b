#pragma once

#include <QWidget>

class QTextEdit;

// A window that is never shown, holding a plain-text box. The help search does not need it: it
// searches each document in a buffer of its own with the same whole-word, case-blind find.
class Teditform : public QWidget {
    Q_OBJECT
public:
    Teditform();

private:
    // Found by its object name in tests.
    QTextEdit* RE;
};
