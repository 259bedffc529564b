#pragma once

#include <QIcon>

class QLabel;

// The small pictures of the windows, from the desktop's icon theme with the style's own
// pictures as fallback.
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
};

QIcon icon(Kind kind);

// A 16 × 16 picture in a label.
QLabel* label(Kind kind);

} // namespace pictures

class QFont;

// The windows' font: Tahoma, or where it is not installed the nearest narrow sans.
QFont tahoma(int pointSize);
