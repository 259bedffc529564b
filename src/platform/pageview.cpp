#include "pageview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QPluginLoader>

// The application's global OpenGL context, which Qt makes at start when asked to
// (Qt::AA_ShareOpenGLContexts) and otherwise leaves to be set; Qt WebEngine does the same.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

// Stands where the pages would be when the web engine cannot be loaded.
class MissingPageView : public QLabel, public PageView {
public:
    MissingPageView(QWidget* parent, const QString& reason) : QLabel(parent) {
        setAlignment(Qt::AlignCenter);
        setWordWrap(true);
        setText(QStringLiteral("Siderne kan ikke vises.\n\n") + reason);
    }
    QWidget* widget() override { return this; }
    void Navigate(const QString& address) override { location = address; }
    QString LocationName() const override { return location; }
    bool hasDocument() const override { return false; }

private:
    QString location;
};

PageViewFactory* loadFactory(QString* error) {
    const QString name = QStringLiteral("lenkaro_pageview");
    // Next to the program first (the build tree), then where the install puts it, then Qt's
    // library paths.
    QStringList candidates{QCoreApplication::applicationDirPath() + u'/' + name};
#ifdef LENKARO_PLUGIN_DIR
    candidates << QStringLiteral(LENKARO_PLUGIN_DIR) + u'/' + name;
#endif
    candidates << name;
    QStringList reasons;
    for (const QString& candidate : candidates) {
        QPluginLoader loader(candidate);
        if (auto* factory = qobject_cast<PageViewFactory*>(loader.instance()))
            return factory;
        reasons << loader.errorString();
    }
    *error = reasons.join(u'\n');
    return nullptr;
}

// The engine draws through OpenGL contexts that share their resources with one context of the
// application's. Asked for at start (Qt::AA_ShareOpenGLContexts), that context would load the
// whole OpenGL stack into every start, for a help window most starts never open; it is made
// here instead, just before the engine comes in with the first page view.
void shareGraphicsContext() {
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace

namespace platform {

PageViewMaker pageViewMaker() {
    return [](QWidget* parent, PageView::Events events) -> PageView* {
        static QString error;
        static PageViewFactory* factory = (shareGraphicsContext(), loadFactory(&error));
        if (!factory)
            return new MissingPageView(parent, error);
        return factory->create(parent, std::move(events));
    };
}

} // namespace platform
