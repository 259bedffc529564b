#pragma once

#include "settings/windowplace.h"

#include <QRect>

class QEvent;
class QStatusBar;
class QWidget;

// Puts a window where its options file says, as far as it was read: the place is that of the
// window's frame (title bar and borders included) and its outer size, as the options files
// hold them. It is kept on the available area of the screen it is placed on, the frame's top
// left corner and title bar included, and never below the window's minimum size. Until a
// window manager has framed the window the frame is not known: the frame of the program's
// last framed window stands in for it, and once the window is shown and framed its place is
// worked out again with its own frame, so it comes back exactly where it was left.
//
// Where the options file gives no size, the window keeps the size it has: for a window whose
// design size is its outer size (the main, the administration and the help window), that outer
// size; for one whose design size is its client area ("Urlboks"), that client area.
//
// A window placed with centreOn and no position comes up centred on centreOn's frame.
enum class DesignSize { Outer, Client };
void applyPlace(QWidget* window, const WindowPlace& place, DesignSize design = DesignSize::Outer,
                const QWidget* centreOn = nullptr);

// The window's frame on the screen, as the options files hold it: its frame's top left
// corner and its outer size. For a window not yet framed, its place as applyPlace gave it.
QRect outerPlace(const QWidget* window);

// True once the window, shown, has been placed again with the frame the window manager gave it
// (or it became clear that none will come); false for a window applyPlace never placed.
bool placedWithFrame(const QWidget* window);

// For the windows that are no main windows: their own status bar shows the hints of their
// controls and is cleared when the window becomes active. True when the event was a hint.
bool hintsToStatusBar(QEvent* event, QStatusBar* bar);
