#include "ui/widgets/place.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// The frame the window manager gave the program's last framed window: the best guess for a
// window it has not framed yet, as the frames of one desktop are alike.
QMargins lastFrame;

QScreen* screenFor(const QWidget* window, const WindowPlace& place) {
    // The screen under the stored top left corner, so a window left on a second screen comes
    // back there; else the screen the window is on now.
    const QPoint corner(place.left.value_or(window->x()), place.top.value_or(window->y()));
    QScreen* screen = QGuiApplication::screenAt(corner);
    return screen ? screen : window->screen();
}

QSize grown(const QSize& size, const QMargins& m) {
    return {size.width() + m.left() + m.right(), size.height() + m.top() + m.bottom()};
}

// The frame's rectangle for place, kept on the screen and at least minimum.
std::optional<QRect> fitted(const QWidget* window, const WindowPlace& place, const QRect& current,
                            const QSize& minimum) {
    const QScreen* screen = screenFor(window, place);
    if (!screen)
        return std::nullopt; // nowhere to show it: the window keeps its design place
    return fitPlace(place, current, screen->availableGeometry(), minimum);
}

// Keeps what a window was asked for until the window manager has framed it, then places it
// once more with its real frame. A window's frame is known only once it is mapped: placed
// before, its client would go where the frame belongs (a window placed as it is shown ends a
// title bar lower at each start) and its outer size would be off by the frame.
class PlaceKeeper : public QObject {
public:
    // The window's minimum size as it was made is the least its frame may be, as the options
    // files' sizes are outer sizes too.
    explicit PlaceKeeper(QWidget* window_)
        : QObject(window_), window(window_), outerMinimum(window_->minimumSize()) {
        setObjectName(QStringLiteral("placeKeeper"));
    }

    void place(const WindowPlace& wanted_, const QMargins& frame_, DesignSize design,
               const QWidget* centreOn_) {
        wanted = wanted_;
        centreOn = centreOn_;
        framed = false;
        waited.invalidate();
        // The size the window has now: an outer size when it came from an options file or is a
        // design size meant as one, else its client area with the frame it is to get.
        if (wanted.width || wanted.height || (!placedBefore && design == DesignSize::Outer))
            outerSized = true;
        const QSize now = !placedBefore && design == DesignSize::Outer ? window->size()
                          : outerSized ? grown(window->size(), frame)
                                       : grown(window->size(), frame_);
        const QRect current(window->pos(), now);
        placedBefore = true;
        setFrame(frame_);
        const std::optional<QRect> outer = fit(current);
        if (!outer)
            return;
        // Kept on the screen or raised to the minimum, the size is an outer size from now on;
        // an outer size is kept when the window is placed again once framed.
        if (outer->size() != now)
            outerSized = true;
        if (outerSized) {
            wanted.width = outer->width();
            wanted.height = outer->height();
        }
        window->move(outer->topLeft());
        window->resize(outer->size().shrunkBy(frame));
        watch();
    }

    // Until the window is framed: an outer size is what was asked for; a client area gets the
    // frame the program's windows have. Once framed: the native window's place with the frame
    // it was given, as a hidden window may no longer tell its frame.
    QRect outer() const {
        if (framed && window->windowHandle())
            return window->windowHandle()->geometry().marginsAdded(frame);
        return {window->pos(), grown(window->size(), outerSized ? frame : lastFrame)};
    }

    bool framed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::WinIdChange:
            if (watched == window)
                watch();
            [[fallthrough]];
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
            if (watched == window)
                check();
            break;
        case QEvent::Expose:
            if (watched == window->windowHandle())
                check();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The widget and its native window: a window that takes in an OpenGL view (the help
    // window's page view) gets a new native window.
    void watch() {
        window->installEventFilter(this);
        if (QWindow* handle = window->windowHandle())
            handle->installEventFilter(this);
    }

    void unwatch() {
        window->removeEventFilter(this);
        if (QWindow* handle = window->windowHandle())
            handle->removeEventFilter(this);
    }

    // A window manager frames a window around its first exposure, sometimes a little after;
    // until it has, or it is clear that none will, the window is watched.
    void check() {
        const QWindow* handle = window->windowHandle();
        if (framed || !window->isVisible() || !handle || !handle->isExposed())
            return;
        if (handle->frameMargins().isNull()) {
            if (!waited.isValid()) {
                waited.start();
                QTimer::singleShot(frameWait, this, [this] { giveUp(); });
            }
            return;
        }
        unwatch();
        placeFramed();
    }

    // No frame came: the window has none (the offscreen platform, a desktop that draws the
    // frames in the windows).
    void giveUp() {
        if (framed || !window->windowHandle() || !window->isVisible())
            return;
        unwatch();
        placeFramed();
    }

    void placeFramed() {
        // From the native window: the widget may learn of its frame a little later.
        const QWindow* handle = window->windowHandle();
        const QMargins real = handle->frameMargins();
        const QRect asPlaced = handle->frameGeometry();
        framed = true;
        if (!real.isNull())
            lastFrame = real;
        // Where the window went as it was shown, for whatever the options file did not say.
        setFrame(real);
        const std::optional<QRect> outer = fit(asPlaced);
        if (outer && asPlaced != *outer)
            window->setGeometry(outer->marginsRemoved(real));
    }

    void setFrame(const QMargins& m) {
        frame = m;
        window->setMinimumSize(outerMinimum.shrunkBy(m).expandedTo(QSize(0, 0)));
    }

    // The frame's rectangle: the wanted place, kept on the screen; centred on centreOn's frame
    // where no position is wanted.
    std::optional<QRect> fit(const QRect& current) const {
        const std::optional<QRect> outer = fitted(window, wanted, current, outerMinimum);
        if (!outer || !centreOn || wanted.top || wanted.left)
            return outer;
        const QPoint centre = outerPlace(centreOn).center();
        const WindowPlace centred{centre.y() - outer->height() / 2, centre.x() - outer->width() / 2,
                                  outer->width(), outer->height()};
        return fitted(window, centred, *outer, outerMinimum);
    }

    // How long a window exposed without a frame waits for one.
    static constexpr int frameWait = 1500;
    QElapsedTimer waited;
    QWidget* window;
    QPointer<const QWidget> centreOn;
    const QSize outerMinimum;
    bool placedBefore = false;
    // The client was sized from an outer size (and keeps that outer size when the frame turns
    // out to differ), not the other way round.
    bool outerSized = false;
    WindowPlace wanted;
    QMargins frame;
};

PlaceKeeper* keeperOf(const QWidget* window) {
    return window->findChild<PlaceKeeper*>(QStringLiteral("placeKeeper"),
                                           Qt::FindDirectChildrenOnly);
}

} // namespace

void applyPlace(QWidget* window, const WindowPlace& place, DesignSize design,
                const QWidget* centreOn) {
    PlaceKeeper* keeper = keeperOf(window);
    if (!keeper)
        keeper = new PlaceKeeper(window);
    // A window shown and framed before has its own frame; any other takes the last one seen.
    const bool shown = window->isVisible() && window->windowHandle() && keeper->framed;
    keeper->place(place, shown ? window->windowHandle()->frameMargins() : lastFrame, design,
                  centreOn);
}

QRect outerPlace(const QWidget* window) {
    if (const PlaceKeeper* keeper = keeperOf(window))
        return keeper->outer();
    return window->frameGeometry();
}

bool placedWithFrame(const QWidget* window) {
    const PlaceKeeper* keeper = keeperOf(window);
    return keeper && keeper->framed;
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
