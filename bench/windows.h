#pragma once

#include <QString>

// What a started child of the benchmark does: start up and end as soon as its main window is
// on screen. Each returns the process's exit code; neither returns when all went well.
namespace benchwindows {

// The program as its main() starts it, against the base folder given.
int programChild(const QString& base);

// The floor: a bare Qt Widgets program whose main window shows a four-column tree of 100 rows.
int anchorChild();

// The anchor's window, shown until the process is ended.
int anchorWindow();

// The program on base with its real page view: F1 pressed twice in the main window, the help
// window closed between; prints the two times to the first painted help page, cold and warm.
int helpChild(const QString& base);

} // namespace benchwindows
