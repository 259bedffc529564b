#include "platform/textfile.h"
#include "platform/toolkit/pageview.h"
#include "writefile.h"

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// The real page view, on the web engine loaded from its plugin, showing local documents.
class TstPageview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void titleChangeCarriesLocationName();
    void pageAsksForNewWindow();
    void pageIsReadableByScreenReaders();

private:
    struct Heard {
        int started = 0, completed = 0;
        QStringList titles, windows;
        PageView* view = nullptr;
    };
    PageView* make(QWidget* host, Heard& heard);
    QTemporaryDir dir;
};

namespace {
void page(const QString& path, const QString& title, const QString& body = {}) {
    writeFixture(path, {"<!DOCTYPE html><html><head><meta charset=\"utf-8\">",
                        "<title>" + title + "</title></head>", "<body>" + body + "</body></html>"});
}
} // namespace

void TstPageview::initTestCase() {
    QVERIFY(dir.isValid());
    page(dir.filePath("Intro.html"), "Hjælp");
    // Same title as the first page: the view must still report the new page.
    page(dir.filePath("Kap.1.html"), "Hjælp");
    page(
        dir.filePath("Tilgaengelig.html"), "Læsbar",
        "<h1>Elementer</h1><p>Et element er en webadresse.</p>"
        "<a href=\"Intro.html\">Til indledningen</a>"
        "<table><tr><th>Tast</th><th>Virkning</th></tr><tr><td>F9</td><td>Besøg</td></tr></table>");
    page(dir.filePath("Popup.html"), "Vindue",
         "<script>window.open('https://example.invalid/nyt');</script>");
}

PageView* TstPageview::make(QWidget* host, Heard& heard) {
    PageView::Events events;
    events.beforeNavigate = [&heard] { ++heard.started; };
    events.documentComplete = [&heard] { ++heard.completed; };
    events.titleChange = [&heard] { heard.titles << heard.view->LocationName(); };
    events.newWindow = [&heard](const QString& address) { heard.windows << address; };
    events.mouseOver = [](const QString&) {};
    heard.view = platform::pageViewMaker()(host, std::move(events));
    return heard.view;
}

void TstPageview::titleChangeCarriesLocationName() {
    QWidget host;
    host.resize(400, 300);
    Heard heard;
    PageView* view = make(&host, heard);
    QVERIFY2(view->widget()->inherits("QWebEngineView"), "the web engine plugin was not loaded");
    view->widget()->resize(400, 300);
    host.show();
    view->Navigate(dir.filePath("Intro.html"));
    QTRY_VERIFY_WITH_TIMEOUT(heard.titles.contains("Intro.html"), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(view->hasDocument(), 30000);
    QVERIFY(heard.started >= 1);
    QVERIFY(heard.completed >= 1);
    QCOMPARE(view->LocationName(), QStringLiteral("Intro.html"));

    view->Navigate(dir.filePath("Kap.1.html"));
    QTRY_VERIFY_WITH_TIMEOUT(heard.titles.contains("Kap.1.html"), 30000);
}

void TstPageview::pageAsksForNewWindow() {
    QWidget host;
    host.resize(400, 300);
    Heard heard;
    PageView* view = make(&host, heard);
    host.show();
    view->Navigate(dir.filePath("Popup.html"));
    QTRY_VERIFY_WITH_TIMEOUT(heard.windows.contains("https://example.invalid/nyt"), 30000);
    // The engine opened no window of its own: the page is still the one shown.
    QTRY_COMPARE_WITH_TIMEOUT(view->LocationName(), QStringLiteral("Popup.html"), 30000);
}

namespace {
// Every (role, name) pair below the object, as a screen reader walks the tree. The page's
// nodes are objects of the engine, which is built without run-time type information; the
// sanitizer's check of a virtual call's dynamic type cannot tell them from garbage.
__attribute__((no_sanitize("vptr"))) void collect(QAccessibleInterface* node,
                                                  QList<QPair<QAccessible::Role, QString>>& found,
                                                  int depth = 0) {
    if (!node || depth > 40)
        return;
    found.append({node->role(), node->text(QAccessible::Name)});
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), found, depth + 1);
}
} // namespace

// With an assistive technology listening, the page's heading, paragraph, link and table cells
// are in the view's accessibility tree with their roles and texts.
void TstPageview::pageIsReadableByScreenReaders() {
    QAccessible::setActive(true);
    QWidget host;
    host.resize(400, 300);
    Heard heard;
    PageView* view = make(&host, heard);
    view->widget()->resize(400, 300);
    host.show();
    view->Navigate(dir.filePath("Tilgaengelig.html"));
    QTRY_VERIFY_WITH_TIMEOUT(view->hasDocument(), 60000);
    auto has = [&](QAccessible::Role role, const QString& name) {
        QList<QPair<QAccessible::Role, QString>> found;
        collect(QAccessible::queryAccessibleInterface(view->widget()), found);
        for (const auto& [r, n] : found)
            if (r == role && n.contains(name))
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(has(QAccessible::Heading, "Elementer"), 30000);
    QVERIFY(has(QAccessible::Link, "Til indledningen"));
    QVERIFY(has(QAccessible::ColumnHeader, "Tast") || has(QAccessible::Cell, "Tast"));
    QVERIFY(has(QAccessible::Cell, "Besøg"));
}

int main(int argc, char* argv[]) {
    // Tests run as root and without a graphics card.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral(PAGEVIEW_PLUGIN_DIR));
    TstPageview test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pageview.moc"
