#pragma once

#include <QString>

class QLineEdit;
class QWidget;
struct WindowContext;
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

// Enters the element typed into the fields adresse and navn of form into the current group: the
// checks and messages of that form, the question before an element is overwritten, and the
// error box for a file that could not be written. The fields are emptied once it is entered;
// what could not be entered stays in them to be mended.
void enterTypedElement(const WindowContext& context, EntryForm form, QLineEdit* adresse,
                       QLineEdit* navn);

// Enters an element dragged onto a list of form as if it had been typed into its fields and
// entered; without a current group the user is told to choose one first.
void enterDroppedElement(const WindowContext& context, EntryForm form, QLineEdit* adresseEdit,
                         QLineEdit* navnEdit, const QString& adresse, const QString& navn);

// Said when a typed name cannot be an element's file name.
inline QString unusableFileName() {
    return QStringLiteral("Navnet kan ikke bruges som filnavn.");
}

// Shows the Danish text for an error code of the shell's execute in the error box
// "Fejlinformation". The advice on choosing a program for a file type no program opens is left
// out where the program, not the user, chose what was started (the help's editor).
enum class ShellErrorAdvice { Full, WithoutFileTypes };
void ErrorInfo(int Nr, ShellErrorAdvice advice = ShellErrorAdvice::Full);

// The file dialog "Vælg program": the full path of the chosen file when one was chosen and
// exists, else empty.
QString chooseProgram(QWidget* parent);
