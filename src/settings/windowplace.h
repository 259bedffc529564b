#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// A window's place on the screen as an options file holds it; a value that could not be read
// is absent, and the window keeps what it had.
struct WindowPlace {
    std::optional<int> top, left, width, height;
};

// Where a window goes: the values of place that were read, the window's current geometry for
// the rest, kept on the screen's available area. The size is at least minimum and at most the
// available size (minimum wins on a screen smaller than the window can be); the position keeps
// the whole window inside the available area, or at its top left corner when the window is
// larger. Options files are edited by hand and copied between machines, so any int may come:
// the arithmetic is done in 64 bits and the result always fits.
QRect fitPlace(const WindowPlace& place, const QRect& current, const QRect& available,
               const QSize& minimum);
