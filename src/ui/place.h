#pragma once

#include "options.h"

class QWidget;

// Puts a window where its options file says, one value at a time, as far as it was read.
// Position and size are those of the window's frame and client area as Qt moves and sizes
// them, so a place written at close comes back unchanged at the next start.
void applyPlace(QWidget* window, const WindowPlace& place);
