#pragma once

#include <QString>

namespace store {

// What became of an operation of the model. Anything but Done means that nothing was changed,
// in memory or on disk, unless the operation says otherwise; the window turns the kind into its
// own message, and a file error into the platform's error box with path and reason.
struct [[nodiscard]] Result {
    enum Kind {
        Done,
        Declined,         // the user would not have an existing element overwritten
        NoGroup,          // no group is current
        NoName,           // an empty name: nothing to do
        UnusableName,     // the name cannot be a file or folder name on Windows or Linux
        Exists,           // a group folder of that name exists, whatever its letter case
        NameTaken,        // another element of the group has that name
        InvalidAddress,   // the address field holds no valid address
        Original,         // the typed texts are the element's own: nothing to write
        NotOriginal,      // resetting the visits needs the element's own texts
        RenameRefused,    // the file system would not rename the group folder
        FileNotRead,      // path and error: a file that exists could not be read
        FileNotCreated,   // path and error: a file could not be created or replaced
        FileNotDeleted,   // path and error: a file could not be deleted
        FolderNotCreated, // path and error: a group folder could not be created
    };

    Result(Kind kind_ = Done, const QString& path_ = {}, const QString& error_ = {})
        : kind(kind_), path(path_), error(error_) {}

    Kind kind;
    QString path;  // the file or folder that failed
    QString error; // the system's reason

    bool ok() const { return kind == Done; }
};

} // namespace store
