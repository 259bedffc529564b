#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

// Measures taken as a user meets the program: a process started on an X display, timed from
// its start to the first image of a window it paints there, with its peak memory.
namespace benchdisplay {

// The X display the measures run on: the one DISPLAY names, or a virtual one (Xvfb) started
// for them with a window manager (openbox) when there is none.
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;
    const QByteArray& name() const { return display; }

private:
    QByteArray display;
    int server = 0, windowManager = 0;
};

struct Painted {
    double ms = 0;     // from the start of the process to its first painted window
    double peakMb = 0; // the most memory it held until then
};

// Starts argv on display with the first-paint note preloaded, waits for its first painted
// window (of at least 200 x 200 pixels), and ends it.
Painted runUntilPainted(const std::vector<std::string>& argv, const QByteArray& display);

} // namespace benchdisplay
