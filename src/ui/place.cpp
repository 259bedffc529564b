#include "place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
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

bool hintsToStatusBar(QEvent* event, QStatusBar* bar) {
    switch (event->type()) {
    case QEvent::StatusTip:
        bar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        bar->clearMessage();
        return false;
    default:
        return false;
    }
}
