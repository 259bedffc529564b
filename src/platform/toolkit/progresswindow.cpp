#include "platform/toolkit/progresswindow.h"

#include <QCoreApplication>
#include <QProgressDialog>

bool ProgressWindow::testMode = false;
int ProgressWindow::cancelAt = -1;
QStringList ProgressWindow::shown;

ProgressWindow::ProgressWindow(QWidget* parent, const QString& title, const QString& text,
                               int total_)
    : total(total_) {
    if (testMode) {
        shown << title + u'|' + text + u'|' + QString::number(total);
        return;
    }
    dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Annuller"), 0, total, parent);
    dialog->setObjectName(QStringLiteral("progressWindow"));
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::WindowModal);
    // A short operation ends before the window would be worth showing.
    dialog->setMinimumDuration(400);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    sinceShown.start();
}

ProgressWindow::~ProgressWindow() {
    if (testMode)
        shown << QString::number(handled);
}

bool ProgressWindow::advance(int handled_) {
    handled = handled_;
    if (testMode) {
        if (cancelAt >= 0 && handled >= cancelAt) {
            cancelled = true;
            cancelAt = -1;
        }
        return !cancelled;
    }
    // Each showing lets the window's events in; a few dozen times a second is enough for the
    // eye and for "Annuller", and keeps the operation itself fast.
    if (handled == total || sinceShown.elapsed() >= 40) {
        dialog->setValue(handled);
        QCoreApplication::processEvents();
        sinceShown.restart();
    }
    return !dialog->wasCanceled();
}

void ProgressWindow::setTestMode(bool on) {
    testMode = on;
    cancelAt = -1;
    shown.clear();
}

void ProgressWindow::setNextCancelAt(int handled) {
    cancelAt = handled;
}

QStringList ProgressWindow::takeShown() {
    return std::exchange(shown, {});
}
