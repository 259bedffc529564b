#pragma once

#include <QIcon>

class QLabel;

// The small pictures of the windows, by their freedesktop names from the icon theme that the
// style chose (platform/icontheme.h): the desktop's own theme where it has the picture, Breeze
// (or Breeze Dark under a dark style) for the rest, the style's own pictures as a last resort.
// Each picture is looked up once; a change of style redraws it from the other variant.
namespace pictures {

enum Kind {
    Info,
    Question,
    Admin,
    Visit,
    LookUp,
    Insert,
    Help,
    Switch,
    Delete,
    Save,
    NewGroup,
    Reset,
    ToShelf,
    FromShelf,
    AllToShelf,
    AllFromShelf,
    Up,
    Down,
    Sort,
    First,
    Back,
    Forward,
    Last,
    Go,
    History,
    Edit,
    Document,
    Folder,
    Import,
    Export,
    Find,
    KindCount
};

QIcon icon(Kind kind);

// The freedesktop name of the picture.
QString themeName(Kind kind);

// A 16 × 16 picture in a label, drawn again when the style changes.
QLabel* label(Kind kind);

// The program's own icon, drawn for it (data/desktop/lenkaro.svg): the icon of every window.
QIcon programIcon();

} // namespace pictures

class QFont;

// The windows' font: Tahoma, or where it is not installed the nearest narrow sans.
QFont tahoma(int pointSize);
