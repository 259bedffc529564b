#pragma once

#include <QString>
#include <QStringList>

// The program's visual styles: the platform's plain look "Windows" and five styles of its own.
// A style applies to the whole program at once, every open window included.
class StyleManager {
public:
    static QStringList styleNames();

    // Applies the style of that name, compared without regard to case. An unknown name is
    // reported in a message box and the style in use stays. Returns whether it was applied.
    static bool setStyle(const QString& name);

    // The name of the style in use, as styleNames() spells it.
    static QString activeStyle();

private:
    static QString active;
};
