#include "fixture.h"
#include "helpstructure.h"

#include "ui/admin/boks.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"
#include "ui/widgets/place.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <cstdio>

// Window places under a real window manager (openbox on a virtual X display of 1024 × 768):
// each run of the program is a child process that shows the four windows with stored places,
// notes where their frames are, and closes them as a user would, writing the options files.
// The offscreen platform of the other tests frames no window the way a window manager does,
// and a window manager frames a window only after it is shown: what the options files hold
// is where the frame goes.
class TstWindowplaces : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void placesComeBackExactly();
    void largeWindowsKeepTheirFramesOnScreen();

private:
    // Runs the program once on base and returns "window x y width height" of each frame.
    QStringList run(const QString& base);

    QProcess xvfb;
    QProcess windowManager;
    QString display;
};

namespace {

const QRect screen(0, 0, 1024, 768);

// A base folder with the help structure and a user anna whose options files hold lines.
struct Base {
    QTemporaryDir tmp;
    QString base = tmp.path() + "/Lenkaromappe";
    QString options = base + "/anna/Egenskaber";

    Base() {
        QDir().mkpath(base + "/Struktur/Program");
        QDir().mkpath(base + "/Struktur/Programmer");
        makeHelpStructure(base);
        for (const char* folder : {"Program", "Programmer", "Egenskaber"})
            QDir().mkpath(base + "/anna/" + folder);
    }
    void write(const QString& file, const QStringList& lines) const {
        QVERIFY(textfile::writeLines(options + "/" + file, lines));
    }
    QStringList read(const QString& file) const {
        return textfile::readLines(options + "/" + file).value_or(QStringList{});
    }
};

QString frameOf(const QString& name, const QWidget* window) {
    const QRect r = window->windowHandle()->frameGeometry();
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(name)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QRect rectOf(const QStringList& frames, const QString& name) {
    for (const QString& line : frames) {
        const QStringList f = line.split(u' ');
        if (f.value(0) == name)
            return QRect(f.value(1).toInt(), f.value(2).toInt(), f.value(3).toInt(),
                         f.value(4).toInt());
    }
    return {};
}

// Until the window manager has framed window and the program has placed it with that frame.
bool waitFramed(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    const QWindow* handle = window->windowHandle();
    return QTest::qWaitFor(
               [&] {
                   return placedWithFrame(window) && handle->frameGeometry() == outerPlace(window);
               },
               10000) &&
           !handle->frameMargins().isNull();
}

// One run of the program, in the child process: the windows shown, their frames written to
// out, the windows closed by the user, the main window last.
int childRun(const QString& base, const QString& out) {
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
    FakeServices fakes;
    App app(base, QStringLiteral("anna"), fakes.make());
    app.infform->setTestMode(true);
    app.spform->setTestMode(true);
    QStringList frames;
    // All at once, before the window manager has framed any of them: none can know its frame
    // from another's.
    app.mainform->show();
    app.boksform->show();
    app.mainform->Information(QStringLiteral("Lenkaro"));
    app.urlform1->show();
    bool framed = true;
    for (QWidget* window :
         {static_cast<QWidget*>(app.mainform), static_cast<QWidget*>(app.boksform),
          static_cast<QWidget*>(app.infoformen), static_cast<QWidget*>(app.urlform1)})
        framed = waitFramed(window) && framed;
    frames << frameOf("main", app.mainform) << frameOf("boks", app.boksform)
           << frameOf("info", app.infoformen) << frameOf("urlboks", app.urlform1);
    app.urlform1->close();
    app.infoformen->close();
    app.mainform->close();
    if (!framed)
        frames << QStringLiteral("not framed");
    return textfile::writeLines(out, frames) ? 0 : 1;
}

} // namespace

void TstWindowplaces::initTestCase() {
    const QString xvfbProgram = QStandardPaths::findExecutable("Xvfb");
    const QString openbox = QStandardPaths::findExecutable("openbox");
    const QString xprop = QStandardPaths::findExecutable("xprop");
    if (xvfbProgram.isEmpty() || openbox.isEmpty() || xprop.isEmpty())
        QSKIP("needs Xvfb, openbox and xprop (apt-get install xvfb openbox x11-utils)");
    // The server picks a free display and tells its number on the descriptor given.
    xvfb.start(xvfbProgram, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    QVERIFY(xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 10000);
    display = QStringLiteral(":") + QString::fromLatin1(xvfb.readLine()).trimmed();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    windowManager.setProcessEnvironment(env);
    // Until it has taken the screen: windows mapped before would be framed late. A window
    // manager that runs names its check window on the root window. One started as the server
    // comes up may not reach it yet and ends; it is started again.
    auto managed = [&] {
        if (windowManager.state() == QProcess::NotRunning) {
            windowManager.start(openbox, {"--sm-disable"});
            windowManager.waitForStarted();
        }
        QProcess query;
        query.start(xprop, {"-display", display, "-root", "_NET_SUPPORTING_WM_CHECK"});
        return query.waitForFinished(5000) && query.readAll().contains("window id");
    };
    QTRY_VERIFY_WITH_TIMEOUT(managed(), 20000);
    QCOMPARE(windowManager.state(), QProcess::Running);
}

void TstWindowplaces::cleanupTestCase() {
    for (QProcess* p : {&windowManager, &xvfb}) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(5000))
            p->kill();
        p->waitForFinished(5000);
    }
}

QStringList TstWindowplaces::run(const QString& base) {
    const QString out = base + "/frames.txt";
    QFile::remove(out);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Under the sanitizers the X11 platform's own allocations kept until exit are no leaks of
    // the program's; the other tests check those on the offscreen platform.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + QStringLiteral(":detect_leaks=0"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"run", base, out});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return {QStringLiteral("the run failed")};
    return textfile::readLines(out).value_or(QStringList{QStringLiteral("no frames")});
}

// Each window's frame comes back where the options file says, and is written back as it was
// found: a second run puts every frame where the first did.
void TstWindowplaces::placesComeBackExactly() {
    Base b;
    b.write("main.txt", {"Sky", "100", "60", "700", "450", "", "", "", "0"});
    b.write("lenKaro.txt", {"150", "500", "480", "420", "0"});
    b.write("information.txt", {"40", "30", "900", "700", "260"});
    b.write("urlboks1.txt", {"443", "338"});
    const QStringList first = run(b.base);
    QVERIFY2(!first.contains("not framed"), qPrintable(first.join(u'|')));
    QCOMPARE(rectOf(first, "main"), QRect(60, 100, 700, 450));
    QCOMPARE(rectOf(first, "boks"), QRect(500, 150, 480, 420));
    QCOMPARE(rectOf(first, "info"), QRect(30, 40, 900, 700));
    QCOMPARE(rectOf(first, "urlboks").size(), QSize(443, 338));
    QCOMPARE(b.read("main.txt").mid(1, 4), (QStringList{"100", "60", "700", "450"}));
    QCOMPARE(b.read("lenKaro.txt").mid(0, 4), (QStringList{"150", "500", "480", "420"}));
    QCOMPARE(b.read("information.txt").mid(0, 4), (QStringList{"40", "30", "900", "700"}));
    QCOMPARE(b.read("urlboks1.txt"), (QStringList{"443", "338"}));

    const QStringList second = run(b.base);
    QCOMPARE(second, first);
}

// On a screen smaller than a stored or default size the frame, title bar included, stays on the
// screen: a window as large as the screen fills it, and the help window's default height (968)
// is cut to the screen's.
void TstWindowplaces::largeWindowsKeepTheirFramesOnScreen() {
    Base b;
    b.write("main.txt", {"Sky", "0", "0", "1024", "768", "", "", "", "0"});
    const QStringList frames = run(b.base);
    QVERIFY2(!frames.contains("not framed"), qPrintable(frames.join(u'|')));
    QCOMPARE(rectOf(frames, "main"), screen);
    const QRect info = rectOf(frames, "info");
    QVERIFY2(screen.contains(info), qPrintable(frames.join(u'|')));
    QCOMPARE(info.height(), screen.height() - info.y());
    QCOMPARE(b.read("main.txt").mid(1, 4), (QStringList{"0", "0", "1024", "768"}));
    QCOMPARE(b.read("information.txt").mid(0, 4),
             (QStringList{QString::number(info.y()), QString::number(info.x()),
                          QString::number(info.width()), QString::number(info.height())}));
    const QStringList again = run(b.base);
    QCOMPARE(again, frames);
}

int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "run") == 0) {
        QApplication application(argc, argv);
        return childRun(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication application(argc, argv);
    TstWindowplaces test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowplaces.moc"
