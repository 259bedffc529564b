#include "pageview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPluginLoader>

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

} // namespace

namespace platform {

void preparePageView() {
    // The engine shares its graphics contexts with the application's; this must be said before
    // the application object exists, as the engine comes in later as a plugin.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

PageViewMaker pageViewMaker() {
    return [](QWidget* parent, PageView::Events events) -> PageView* {
        static QString error;
        static PageViewFactory* factory = loadFactory(&error);
        if (!factory)
            return new MissingPageView(parent, error);
        return factory->create(parent, std::move(events));
    };
}

} // namespace platform
