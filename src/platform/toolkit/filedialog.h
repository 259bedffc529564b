#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file-open dialog. Tests switch on the seam: the dialog is then not shown, and the next
// queued file name (none: cancelled) is the answer.
class FileDialog {
public:
    // Lets the user pick one file, starting in folder; the full path, or empty when cancelled.
    // filter, as QFileDialog takes it, narrows the files shown; none shows every file.
    static QString open(QWidget* parent, const QString& title, const QString& folder,
                        const QString& filter = {});

    // Lets the user name a file to write, suggesting path; the dialog asks before an existing
    // file is replaced. The full path, or empty when cancelled.
    static QString save(QWidget* parent, const QString& title, const QString& path,
                        const QString& filter = {});

    static void setTestMode(bool on);
    static void setNextFile(const QString& path);
    // The titles and folders (or suggested paths) the dialogs were opened with, one
    // "title|folder" each.
    static QStringList takeShown();

private:
    static bool testMode;
    static QStringList nextFiles;
    static QStringList shown;
};
