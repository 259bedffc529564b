// The page view on Qt WebEngine, built as a plugin so that the engine's libraries are loaded
// only when the help window is first shown.
#include "platform/toolkit/pageview.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

class WebPageView : public QWebEngineView, public PageView {
public:
    WebPageView(QWidget* parent, Events events_)
        : QWebEngineView(parent), events(std::move(events_)) {
        QWebEnginePage* p = page();
        connect(p, &QWebEnginePage::loadStarted, this, [this] {
            loaded = false;
            if (events.beforeNavigate)
                events.beforeNavigate();
        });
        connect(p, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            loaded = ok;
            if (events.documentComplete)
                events.documentComplete();
            // The engine reports a title only when it differs from the last one; the window
            // needs to hear of every page, also of two pages that share a title.
            if (events.titleChange)
                events.titleChange();
        });
        connect(p, &QWebEnginePage::titleChanged, this, [this] {
            if (events.titleChange)
                events.titleChange();
        });
        // The engine reports the link under the mouse for a link and for anything inside one,
        // and an empty address when the mouse leaves it.
        connect(p, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
            if (events.mouseOver)
                events.mouseOver(url);
        });
        // Left unanswered, the request opens no window of the engine's own.
        connect(p, &QWebEnginePage::newWindowRequested, this,
                [this](QWebEngineNewWindowRequest& request) {
                    if (events.newWindow)
                        events.newWindow(request.requestedUrl().toString());
                });
    }

    QWidget* widget() override { return this; }

    void Navigate(const QString& address) override {
        const bool localPath =
            QDir::isAbsolutePath(address) && !address.contains(QStringLiteral("://"));
        setUrl(localPath ? QUrl::fromLocalFile(address) : QUrl(address));
    }

    QString LocationName() const override {
        const QUrl shown = url();
        if (shown.isLocalFile())
            return QFileInfo(shown.toLocalFile()).fileName();
        return shown.toString();
    }

    bool hasDocument() const override { return loaded; }

private:
    Events events;
    bool loaded = false;
};

class WebPageViewPlugin : public QObject, public PageViewFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PageViewFactory_iid)
    Q_INTERFACES(PageViewFactory)
public:
    PageView* create(QWidget* parent, PageView::Events events) override {
#ifdef Q_OS_UNIX
        // The engine's sandbox cannot run for the superuser, and without this the engine ends
        // the whole program: the help is shown unsandboxed rather than not at all.
        if (::geteuid() == 0)
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
        // On Linux the engine keeps a page's accessibility tree to itself unless asked; with
        // this, a screen reader reads the help's headings, links and tables as it reads the
        // windows. It costs nothing while no assistive technology listens.
        if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
            qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
        return new WebPageView(parent, std::move(events));
    }
};

} // namespace

#include "webpageview.moc"
