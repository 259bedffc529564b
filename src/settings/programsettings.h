#pragma once

#include "settings/userfolders.h"

#include <QObject>
#include <QString>

// What every window reads and no window owns: the user's folders, the name of the visual style
// and the browser chosen for looking up new addresses. Made before any window, from the base
// folder and the login name; the windows read it here and change it through its setters.
class ProgramSettings : public QObject {
    Q_OBJECT
public:
    // Builds the user's folder tree (creating what is missing, copying the templates at a
    // user's first start); what failed on the way is in folders().errors.
    ProgramSettings(const QString& baseDir, const QString& loginName, QObject* parent = nullptr);

    // The folder that holds "Struktur" and the user folders.
    const QString& baseDir() const { return baseDir_; }
    const UserFolders& folders() const { return folders_; }
    const QString& brugernavn() const { return folders_.brugernavn; }
    const QString& strukturDir() const { return folders_.strukturDir; }
    const QString& optdir() const { return folders_.optdir; }

    // The visual style in use, as the options file "main.txt" names it.
    const QString& designname() const { return designname_; }
    void setDesignname(const QString& name);

    // The browser a look-up starts first: 0 Google Chrome, 1 Microsoft Edge, -1 none chosen.
    int browserValg() const { return browserValg_; }
    void setBrowserValg(int index);

signals:
    void designChanged(const QString& name);
    void browserValgChanged(int index);

private:
    QString baseDir_;
    UserFolders folders_;
    QString designname_;
    int browserValg_ = 0;
};
