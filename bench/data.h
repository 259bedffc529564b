#pragma once

#include <QString>

// Data folders as the program keeps them, made in a temporary folder for the measures.
namespace benchdata {

// The login name the measures start the program under.
inline const QString login = QStringLiteral("bench");

// A base folder with the installed help structures and one user of the given groups: the first
// is current and holds elements element files, the others are named in the group list (and,
// with everyGroup, hold as many elements each). Returns the base folder.
QString makeBase(const QString& root, int groups, int elements, bool everyGroup = false);

// The folder of group i (0 for the current one) in a base made by makeBase.
QString groupFolder(const QString& base, int i);

// The folder of the current group in a base made by makeBase.
QString currentGroupFolder(const QString& base);

} // namespace benchdata
