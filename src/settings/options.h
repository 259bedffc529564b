#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A window's place on the screen as an options file holds it; a value that could not be read
// is absent, and the window keeps what it had.
struct WindowPlace {
    std::optional<int> top, left, width, height;
};

// "main.txt": the main window's nine lines. Reading stops silently at the first bad line;
// what was read before it stays, so every value is optional and complete tells whether all
// nine were good.
struct MainOptions {
    std::optional<QString> designname;
    WindowPlace place;
    std::optional<QString> gruppenavn, gruppenavn0, gruppenavn1;
    std::optional<quint8> funkNo;
    bool complete = false;
};

MainOptions parseMainOptions(const QStringList& lines);

struct MainOptionValues {
    QString designname;
    int top = 0, left = 0, width = 0, height = 0;
    QString gruppenavn, gruppenavn0, gruppenavn1;
    quint8 funkNo = 0;
};

QStringList formatMainOptions(const MainOptionValues& values);

// "lenKaro.txt": the administration window's five lines (top, left, width, height, browser
// index), read as far as they go.
struct BoksOptions {
    WindowPlace place;
    std::optional<int> browser;
};

BoksOptions parseBoksOptions(const QStringList& lines);
QStringList formatBoksOptions(int top, int left, int width, int height, int browser);

// A decimal integer as the options files hold it.
std::optional<int> parseInteger(const QString& text);

// "information.txt": the information window's five lines (top, left, width, height, width of
// the left panel). Taken whole or not at all: a short file or a line that is no integer gives
// nothing, and the window falls back to the defaults for every value.
struct InfoOptions {
    int top = 52, left = 52, width = 753, height = 968, panelWidth = 195;
};

std::optional<InfoOptions> parseInfoOptions(const QStringList& lines);
QStringList formatInfoOptions(const InfoOptions& options);

// "urlboks1.txt": the URL list window's width and height, read as far as they go.
WindowPlace parseUrlboksOptions(const QStringList& lines);
QStringList formatUrlboksOptions(int width, int height);
