#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <memory>

class QProgressDialog;
class QWidget;

// A window that shows how far a long operation has come, with "Annuller" to stop it. Tests
// switch on the seam: no window is shown, what it would have shown is kept, and the test's
// user presses "Annuller" once the count given beforehand is reached.
class ProgressWindow {
public:
    ProgressWindow(QWidget* parent, const QString& title, const QString& text, int total);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Shows that handled of total are done; false once the user has pressed "Annuller".
    bool advance(int handled);

    static void setTestMode(bool on);
    // In test mode the user presses "Annuller" when handled reaches this.
    static void setNextCancelAt(int handled);
    // What the windows showed: "title|text|total" when opened, and the count they ended at.
    static QStringList takeShown();

private:
    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer sinceShown;
    int total;
    int handled = 0;
    bool cancelled = false;

    static bool testMode;
    static int cancelAt;
    static QStringList shown;
};
