#include "filedialog.h"

#include <QFileDialog>

bool FileDialog::testMode = false;
QStringList FileDialog::nextFiles;
QStringList FileDialog::shown;

QString FileDialog::open(QWidget* parent, const QString& title, const QString& folder) {
    if (testMode) {
        shown << title + u'|' + folder;
        return nextFiles.isEmpty() ? QString() : nextFiles.takeFirst();
    }
    // No file-type filter: any file can be a program or a document to open.
    return QFileDialog::getOpenFileName(parent, title, folder);
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
