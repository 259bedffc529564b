#include "platform/toolkit/filedialog.h"

#include <QFileDialog>

bool FileDialog::testMode = false;
QStringList FileDialog::nextFiles;
QStringList FileDialog::shown;

QString FileDialog::open(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) {
    if (testMode) {
        shown << title + u'|' + folder;
        return nextFiles.isEmpty() ? QString() : nextFiles.takeFirst();
    }
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString FileDialog::save(QWidget* parent, const QString& title, const QString& path,
                         const QString& filter) {
    if (testMode) {
        shown << title + u'|' + path;
        return nextFiles.isEmpty() ? QString() : nextFiles.takeFirst();
    }
    return QFileDialog::getSaveFileName(parent, title, path, filter);
}

void FileDialog::setTestMode(bool on) {
    testMode = on;
    nextFiles.clear();
    shown.clear();
}

void FileDialog::setNextFile(const QString& path) {
    nextFiles << path;
}

QStringList FileDialog::takeShown() {
    return std::exchange(shown, {});
}
