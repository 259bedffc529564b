#include "place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void applyPlace(QWidget* window, const WindowPlace& place) {
    // The screen under the stored top left corner, so a window left on a second screen comes
    // back there; else the screen the window is on now.
    const QPoint corner(place.left.value_or(window->x()), place.top.value_or(window->y()));
    QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen)
        screen = window->screen();
    if (!screen)
        return; // nowhere to show it: the window keeps its design place
    const QRect fitted = fitPlace(place, QRect(window->pos(), window->size()),
                                  screen->availableGeometry(), window->minimumSize());
    window->move(fitted.topLeft());
    window->resize(fitted.size());
}
