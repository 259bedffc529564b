#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file-open dialog. Tests switch on the seam: the dialog is then not shown, and the next
// queued file name (none: cancelled) is the answer.
class FileDialog {
public:
    // Lets the user pick one file, starting in folder; the full path, or empty when cancelled.
    static QString open(QWidget* parent, const QString& title, const QString& folder);

    static void setTestMode(bool on);
    static void setNextFile(const QString& path);
    // The titles and folders the dialog was opened with, one "title|folder" each.
    static QStringList takeShown();

private:
    static bool testMode;
    static QStringList nextFiles;
    static QStringList shown;
};
