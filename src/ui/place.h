#pragma once

#include "windowplace.h"

class QEvent;
class QStatusBar;
class QWidget;

// Puts a window where its options file says, as far as it was read, kept on the available area
// of the screen it is placed on and never below the window's minimum size. Position and size
// are those of the window's frame and client area as Qt moves and sizes them, so a place
// written at close comes back unchanged at the next start, and a place that had to be kept on
// the screen is written back as it was kept.
void applyPlace(QWidget* window, const WindowPlace& place);

// For the windows that are no main windows: their own status bar shows the hints of their
// controls and is cleared when the window becomes active. True when the event was a hint.
bool hintsToStatusBar(QEvent* event, QStatusBar* bar);
