#pragma once

#include "settings/windowplace.h"

#include <QString>
#include <QStringList>

#include <optional>

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

// Reads "main.txt" at path. A missing file gives the defaults: style "Sky", top and left 120,
// size 595 × 380, web addresses, and the group "Underholdning" when the folder
// baseDir/zvk/Program/Underholdning exists, else none. A file that cannot be read gives nothing.
MainOptions readMainOptions(const QString& path, const QString& baseDir);

struct MainOptionValues {
    QString designname;
    int top = 0, left = 0, width = 0, height = 0;
    QString gruppenavn, gruppenavn0, gruppenavn1;
    quint8 funkNo = 0;
};

QStringList formatMainOptions(const MainOptionValues& values);
[[nodiscard]] bool writeMainOptions(const QString& path, const MainOptionValues& values, QString* error);

// "lenKaro.txt": the administration window's five lines (top, left, width, height, browser
// index), read as far as they go.
struct BoksOptions {
    WindowPlace place;
    std::optional<int> browser;
};

BoksOptions parseBoksOptions(const QStringList& lines);
QStringList formatBoksOptions(int top, int left, int width, int height, int browser);

// Reads "lenKaro.txt" at path. A missing file gives top and left 120, width 400, height 480 and
// no browser (the window keeps its own choice); a file that cannot be read gives nothing.
BoksOptions readBoksOptions(const QString& path);
[[nodiscard]] bool writeBoksOptions(const QString& path, int top, int left, int width, int height, int browser,
                      QString* error);

// Where the two windows' options files are in the options folder optdir (trailing separator).
QString mainOptionsPath(const QString& optdir);
QString boksOptionsPath(const QString& optdir);

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
// Reads "information.txt" at path: nothing when it is missing, cannot be read or is not whole.
std::optional<InfoOptions> readInfoOptions(const QString& path);
[[nodiscard]] bool writeInfoOptions(const QString& path, const InfoOptions& options, QString* error);

// "urlboks1.txt": the URL list window's width and height, read as far as they go; a missing or
// unreadable file gives neither.
WindowPlace parseUrlboksOptions(const QStringList& lines);
QStringList formatUrlboksOptions(int width, int height);
WindowPlace readUrlboksOptions(const QString& path);
[[nodiscard]] bool writeUrlboksOptions(const QString& path, int width, int height, QString* error);

// Where the help windows' options files are in the options folder optdir (trailing separator).
QString infoOptionsPath(const QString& optdir);
QString urlboksOptionsPath(const QString& optdir);
