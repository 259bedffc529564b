#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

class QWidget;

// The embedded view that shows the help pages and whatever web pages they lead to. The program
// tells it where to go and hears from it when a navigation starts, a document has loaded, the
// title changes, the mouse moves onto or off a link, and a page asks for a window of its own.
// Every event arrives on the user-interface thread.
class PageView {
public:
    struct Events {
        std::function<void()> beforeNavigate;
        // A document has finished loading (frames included).
        std::function<void()> documentComplete;
        // The page asks for a new window for address (empty when the page did not say).
        std::function<void(const QString& address)> newWindow;
        // The page's title changed: at least once for every page shown.
        std::function<void()> titleChange;
        // The mouse moved over the page: the address of the link under it (a link, or a
        // picture inside a link), empty over anything else.
        std::function<void(const QString& link)> mouseOver;
    };

    virtual ~PageView() = default;

    // The view itself; it belongs to the widget it was made in and is deleted with it.
    virtual QWidget* widget() = 0;
    // Starts showing address: the full path of a local document or a web address.
    virtual void Navigate(const QString& address) = 0;
    // The page shown: for a local document its file name with extension ("Grupper.html"), for
    // any other page its full address.
    virtual QString LocationName() const = 0;
    // Whether the page shown has a document the mouse can be followed over.
    virtual bool hasDocument() const = 0;
};

// What the page-view plugin offers: making views.
class PageViewFactory {
public:
    virtual ~PageViewFactory() = default;
    virtual PageView* create(QWidget* parent, PageView::Events events) = 0;
};

#define PageViewFactory_iid "dk.lenkaro.PageViewFactory/1"
Q_DECLARE_INTERFACE(PageViewFactory, PageViewFactory_iid)

// How a window gets its page view; tests hand in one of their own.
using PageViewMaker = std::function<PageView*(QWidget* parent, PageView::Events events)>;

namespace platform {

// Makes the real page view. The web engine is a plugin loaded at the first view made, so a
// start without the help window never pays for it; it draws without OpenGL. When the plugin
// cannot be loaded the view says so instead of showing pages.
PageViewMaker pageViewMaker();

} // namespace platform
