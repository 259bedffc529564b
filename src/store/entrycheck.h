#pragma once

#include <QString>

class UrlCheck;

namespace store {

// The checks a typed element passes before it is entered, the same from the main window's
// fields and from the administration window's entry tab. Only the first failing one counts.
enum class EntryCheck {
    Ok,
    ShortName,      // the name has fewer characters than asked for
    NoAddress,      // web addresses: the address field is empty
    InvalidAddress, // web addresses: the text is no valid address
    NoProgram,      // programs: the path field is empty
    ProgramMissing, // programs: no file exists at the path
};

// funkNo 0 checks a web address, any other content mode a program path. minNameLength is how
// many characters the name must have at least (the main window asks for three, the entry tab
// for one).
EntryCheck checkEntry(quint8 funkNo, const QString& url, const QString& navn, int minNameLength,
                      const UrlCheck& urlCheck);

} // namespace store
