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

// The same at the base folder base, for the user called user. Unless every group holds
// elements, the second holds one: a start with it current is a start with next to nothing to
// load.
void makeBaseAt(const QString& base, const QString& user, int groups, int elements,
                bool everyGroup = false);

// The folder of group i (0 for the current one) in a base made by makeBase.
QString groupFolder(const QString& base, int i);

// Makes the first group (large = true) or the second current in user's "main.txt".
void chooseGroup(const QString& base, const QString& user, bool large);

// The folder of the current group in a base made by makeBase.
QString currentGroupFolder(const QString& base, const QString& user = login);

} // namespace benchdata
