#pragma once

#include <QString>

// The icon theme the windows' pictures come from. The desktop's own theme wins where it has a
// picture; Breeze (Debian's breeze-icon-theme) gives the rest, in its dark variant
// "breeze-dark" under a dark style. Without a desktop theme (a bare X server, the offscreen
// platform) Breeze is the theme.
namespace icontheme {

// The theme shown on a desktop whose own theme is desktop: Breeze in the variant asked for
// where the desktop has no theme of its own or has Breeze; else the desktop's, with Breeze
// behind it.
QString themeFor(const QString& desktop, bool dark);

// Chooses the light or the dark variant. Pictures made before look themselves up again the
// next time they are drawn.
void use(bool dark);

// Whether the dark variant is in use.
bool dark();

} // namespace icontheme
