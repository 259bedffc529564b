#pragma once

#include <QString>

class QWidget;
class Tspform;
namespace store {
struct Result;
}

// Shows the file error of a result of the model in the platform's error box, with the file and
// the system's reason; returns whether there was one to show.
bool showFileError(const store::Result& result);

// Asks in the question window whether the element called navn is to be overwritten, which
// resets its date and visits; true for "Ja".
bool confirmOverwrite(Tspform& spform, const QString& navn);

// The Danish text for an error code of the shell's execute.
QString shellErrorText(int Nr);

// The file dialog "Vælg program": the full path of the chosen file when one was chosen and
// exists, else empty.
QString chooseProgram(QWidget* parent);
