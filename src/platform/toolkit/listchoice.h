#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// A window that lets the user pick one of a list of texts. Tests switch on the seam: the window
// is then not shown, and the next queued choice (none: cancelled) is the answer.
class ListChoice {
public:
    // The position of the chosen text, -1 when the user cancelled.
    static int choose(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& items);

    static void setTestMode(bool on);
    static void setNextChoice(int index);
    // What the windows showed, one "title|text|item|item..." each.
    static QStringList takeShown();

private:
    static bool testMode;
    static QList<int> nextChoices;
    static QStringList shown;
};
