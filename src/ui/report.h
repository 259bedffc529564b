#pragma once

namespace store {
struct Result;
}

// Shows the file error of a result of the model in the platform's error box, with the file and
// the system's reason; returns whether there was one to show.
bool showFileError(const store::Result& result);
