#pragma once

#include <QString>

#include <memory>

// The address check: is a text a complete address the program can hand to the shell?
class UrlCheck {
public:
    virtual ~UrlCheck() = default;
    virtual bool IsValidURL(const QString& text) const = 0;

    // The check of this platform.
    static std::unique_ptr<UrlCheck> system();
};

// What an address names, as far as opening it goes. A web address is opened as a browser
// opens a link: a page, a document or a folder is shown, and nothing is ever run.
enum class AddressTarget {
    Elsewhere, // not on this computer: a web or mail address, or no address at all
    Missing,   // a path on this computer where nothing is
    Document,  // a regular file that is no program
    Folder,    // a folder, shown in the file manager
    Program,   // a file that may be run, or of a kind the desktop runs when it is opened
    Special,   // a named pipe, a device or a socket: nothing a document can be
};

// The path on this computer that address names: a file: address or an absolute path; empty
// when it names nothing here.
QString localPathOf(const QString& address);

// What address names. Looks at the file itself (its permissions, its name and its first bytes),
// never at what a named pipe would give.
AddressTarget addressTarget(const QString& address);
