#pragma once

#include "settings/windowplace.h"

#include <QString>
#include <QStringList>

// "findelement.txt": the find window's four lines (top, left, width, height), read as far as
// they go; a missing or unreadable file gives none of them, and the window keeps its design
// place.
WindowPlace parseFindOptions(const QStringList& lines);
QStringList formatFindOptions(int top, int left, int width, int height);
WindowPlace readFindOptions(const QString& path);
bool writeFindOptions(const QString& path, int top, int left, int width, int height,
                      QString* error);

// Where the find window's options file is in the options folder optdir (trailing separator).
QString findOptionsPath(const QString& optdir);
