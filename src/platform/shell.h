#pragma once

#include <QString>

#include <memory>

struct XdgDirs;

// The shell's execute operation: hands a file, a program or an address to what the system
// associates with it, and returns at once without waiting for the started process.
class Shell {
public:
    // The show modes the program passes.
    enum ShowMode { ShowNormal = 1, Show = 5 };

    virtual ~Shell() = default;

    // operation is "open", or empty for the default operation. Returns a number greater than 32
    // on success, else an error code: 2 file not found, 3 path not found, 5 access denied,
    // 8 out of memory, 11 bad executable format, 31 no associated program, and so on.
    //
    // The default operation is for addresses, which come from outside (a bookmark, a drop, a
    // web page): it hands a web address to the browser and a document or folder on this
    // computer to the program its type opens, and never starts a program, as a browser never
    // runs a file from a link. A program file, or a file the desktop would run when opening
    // it, is refused with 5. Only "open" starts a program: it is asked for what the user chose
    // as a program, and for the browsers and editors the program finds itself.
    virtual int execute(const QString& operation, const QString& file, const QString& parameters,
                        const QString& folder, int showMode) = 0;

    // The system's shell of this platform.
    static std::unique_ptr<Shell> system();

#ifndef Q_OS_WIN
    // The shell of a freedesktop.org desktop whose programs for file types are looked up in
    // dirs: a file that no program opens is refused with 31, as Windows does.
    static std::unique_ptr<Shell> desktop(const XdgDirs& dirs);
#endif
};
