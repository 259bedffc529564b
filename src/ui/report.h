#pragma once

#include <QString>

class QWidget;
class Tinfform;
class Tspform;
namespace store {
struct Result;
enum class EntryCheck;
} // namespace store

// Shows the file error of a result of the model in the platform's error box, with the file and
// the system's reason; returns whether there was one to show.
bool showFileError(const store::Result& result);

// Asks in the question window whether the element called navn is to be overwritten, which
// resets its date and visits; true for "Ja".
bool confirmOverwrite(Tspform& spform, const QString& navn);

// Where an element is typed: the main window's two fields or the administration window's entry
// tab, which word some of the same faults differently.
enum class EntryForm { MainWindow, EntryTab };

// Shows the message window's text for a typed element that failed its check; false, showing
// nothing, when it passed.
bool informFailedEntry(Tinfform& infform, store::EntryCheck check, EntryForm form);

// Said when a typed name cannot be an element's file name.
inline QString unusableFileName() {
    return QStringLiteral("Navnet kan ikke bruges som filnavn.");
}

// The Danish text for an error code of the shell's execute.
QString shellErrorText(int Nr);

// The file dialog "Vælg program": the full path of the chosen file when one was chosen and
// exists, else empty.
QString chooseProgram(QWidget* parent);
