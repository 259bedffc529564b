#include "place.h"

#include <QWidget>

void applyPlace(QWidget* window, const WindowPlace& place) {
    if (place.top)
        window->move(window->x(), *place.top);
    if (place.left)
        window->move(*place.left, window->y());
    if (place.width)
        window->resize(*place.width, window->height());
    if (place.height)
        window->resize(window->width(), *place.height);
}
