#pragma once

#include <QList>
#include <QString>

// The platform's own message box: used for shell errors and for unexpected file errors.
// Tests switch on the seam; the box is then not shown, and what would have been shown is kept.
class MessageBox {
public:
    struct Shown {
        QString title;
        QString text;
    };

    // Shows text under title with one OK button and waits for it.
    static void show(const QString& title, const QString& text);

    // A file that could not be created, read or deleted, with the system's reason.
    static void fileError(const QString& what, const QString& path, const QString& reason);

    // From now on nobody is there to answer (the session is ending): texts go to the standard
    // error stream and nothing waits.
    static void setUnattended();

    static void setTestMode(bool on);
    static QList<Shown> takeShown();

private:
    static bool testMode;
    static bool unattended;
    static QList<Shown> shown;
};
