#include "platform/toolkit/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

bool MessageBox::testMode = false;
bool MessageBox::unattended = false;
QList<MessageBox::Shown> MessageBox::shown;

void MessageBox::show(const QString& title, const QString& text) {
    if (testMode) {
        shown.append({title, text});
        return;
    }
    // Line breaks in the program's messages are single carriage returns.
    QString shownText = text;
    shownText.replace(u'\r', u'\n');
    if (unattended) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(shownText));
        std::fflush(stderr);
        return;
    }
    // In front of the window that asked, even one that stays on top of the others.
    QMessageBox box(QMessageBox::NoIcon, title, shownText, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void MessageBox::fileError(const QString& what, const QString& path, const QString& reason) {
    show(QStringLiteral("Lenkaro"),
         QStringLiteral("%1 \"%2\".\n%3").arg(what, QDir::toNativeSeparators(path), reason));
}

void MessageBox::setUnattended() {
    unattended = true;
}

void MessageBox::setTestMode(bool on) {
    testMode = on;
    shown.clear();
}

QList<MessageBox::Shown> MessageBox::takeShown() {
    return std::exchange(shown, {});
}
