#include "platform/toolkit/pageview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QPluginLoader>

// The application's shared OpenGL context, which the web engine reads.
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

// The help pages are documents, drawn well enough by the processor. The engine is told to draw
// without OpenGL (Qt Quick's software backend, which also keeps it off the graphics card), and
// the window system's OpenGL is never loaded: the first page comes sooner (no graphics stack to
// load, on a machine without a graphics card none emulated) and the program's peak memory with
// the help open is about a hundred megabytes less. Both are read when the engine comes in, so
// they are set before; the program draws nothing else with OpenGL.
//
// The engine still asks the application's shared OpenGL context for its format; a context that
// is never made answers with the format asked for, and loads nothing.
void drawWithoutOpenGL() {
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (!qt_gl_global_share_context())
        qt_gl_set_global_share_context(new QOpenGLContext(QCoreApplication::instance()));
}

} // namespace

namespace platform {

PageViewMaker pageViewMaker() {
    return [](QWidget* parent, PageView::Events events) -> PageView* {
        static QString error;
        static PageViewFactory* factory = (drawWithoutOpenGL(), loadFactory(&error));
        if (!factory)
            return new MissingPageView(parent, error);
        return factory->create(parent, std::move(events));
    };
}

} // namespace platform
