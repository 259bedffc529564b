#pragma once

#include <QString>

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
