#include "platform/browsers.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

class TstUrlcheck : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void addressTargets_data();
    void addressTargets();
    void findsBrowsersInOrder();
    void findsBrowsersOnThePath_data();
    void findsBrowsersOnThePath();
};

void TstUrlcheck::checks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("https") << "https://www.dr.dk/" << true;
    QTest::newRow("http without path") << "http://dr.dk" << true;
    QTest::newRow("upper-case scheme") << "HTTPS://www.dr.dk/" << true;
    QTest::newRow("ftp") << "ftp://ftp.sunet.se/pub" << true;
    QTest::newRow("file") << "file:///home/anna/noter.html" << true;
    QTest::newRow("mailto") << "mailto:anna@example.dk" << true;
    QTest::newRow("danish letters") << QStringLiteral("https://blå.dk/søg?q=æø") << true;
    QTest::newRow("port") << "http://localhost:8080/x" << true;
    QTest::newRow("absolute path") << "/usr/bin/gnome-calculator" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no scheme") << "www.dr.dk" << false;
    QTest::newRow("relative path") << "bin/program" << false;
    QTest::newRow("no host") << "https://" << false;
    QTest::newRow("blank in host") << "https://www.d r.dk/" << false;
    QTest::newRow("blank in path") << "https://dr.dk/a b" << false;
    QTest::newRow("leading blank") << " https://www.dr.dk/" << false;
    QTest::newRow("bad port") << "https://dr.dk:99999/" << false;
    QTest::newRow("unknown scheme") << "javascript:alert(1)" << false;
    QTest::newRow("windows path on linux") << "C:\\Programmer\\x.exe" << false;
    QTest::newRow("mailto without address") << "mailto:" << false;
}

void TstUrlcheck::checks() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(UrlCheck::system()->IsValidURL(text), valid);
}

void TstUrlcheck::addressTargets_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<AddressTarget>("target");
    using T = AddressTarget;
    QTest::newRow("web address") << "https://www.dr.dk/" << T::Elsewhere;
    QTest::newRow("mail address") << "mailto:anna@example.dk" << T::Elsewhere;
    QTest::newRow("no address") << "ikke en adresse" << T::Elsewhere;
    QTest::newRow("document") << "URL/noter.txt" << T::Document;
    QTest::newRow("document by path") << "DIR/noter.txt" << T::Document;
    QTest::newRow("page") << "URL/side.html" << T::Document;
    QTest::newRow("folder") << "URL/mappe" << T::Folder;
    QTest::newRow("missing") << "URL/mangler.txt" << T::Missing;
    QTest::newRow("executable file") << "URL/program" << T::Program;
    QTest::newRow("executable file by path") << "DIR/program" << T::Program;
    QTest::newRow("executable named as a document") << "URL/rapport.pdf" << T::Program;
    QTest::newRow("link to a program") << "URL/genvej.html" << T::Program;
    // The desktop runs these when it opens them, whether or not they may be run as files.
    QTest::newRow("script not executable") << "URL/job.sh" << T::Program;
    QTest::newRow("script by its first line") << "URL/job" << T::Program;
    QTest::newRow("desktop entry") << "URL/lommeregner.desktop" << T::Program;
    QTest::newRow("windows program") << "URL/setup.exe" << T::Program;
    QTest::newRow("java archive") << "URL/spil.jar" << T::Program;
    QTest::newRow("named pipe") << "URL/rør.html" << T::Special;
}

// What a web address names on this computer: only documents and folders may be opened from one.
void TstUrlcheck::addressTargets() {
    QFETCH(QString, address);
    QFETCH(AddressTarget, target);
    QTemporaryDir tmp;
    auto file = [&](const QString& name, const QByteArray& content, bool executable = false) {
        QFile f(tmp.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    };
    file("noter.txt", "Husk mælk\n");
    file("side.html", "<html><body>Hej</body></html>\n");
    QDir().mkpath(tmp.filePath("mappe"));
    file("program", "#!/bin/sh\ntouch \"$0.kørt\"\n", true);
    file("rapport.pdf", "%PDF-1.4\n", true);
    QVERIFY(QFile::link(tmp.filePath("program"), tmp.filePath("genvej.html")));
    file("job.sh", "#!/bin/sh\necho hej\n");
    file("job", "#!/bin/sh\necho hej\n");
    file("lommeregner.desktop", "[Desktop Entry]\nType=Application\nExec=calc\n");
    file("setup.exe", "MZ\x90\x00");
    file("spil.jar", "PK\x03\x04");
    QCOMPARE(::mkfifo(QFile::encodeName(tmp.filePath("rør.html")).constData(), 0600), 0);
    if (address.startsWith("URL/"))
        address = QUrl::fromLocalFile(tmp.filePath(address.mid(4))).toString();
    address.replace("DIR", tmp.path());
    QCOMPARE(addressTarget(address), target);
}

void TstUrlcheck::findsBrowsersInOrder() {
    QTemporaryDir tmp;
    const QString chrome = tmp.filePath("chromium");
    const QString edge = tmp.filePath("msedge");
    const BrowserPlaces places{{tmp.filePath("google-chrome"), chrome}, {edge}};
    QCOMPARE(places.find(0).program, QString());
    writeFixture(chrome, {"x"});
    QCOMPARE(places.find(0).program, chrome);
    QCOMPARE(places.find(1).program, chrome);
    writeFixture(edge, {"x"});
    QCOMPARE(places.find(0).program, chrome);
    QCOMPARE(places.find(1).program, edge);
    QCOMPARE(places.find(-1).program, edge);
    // A folder of a browser's name is no browser.
    QDir().mkpath(tmp.filePath("google-chrome"));
    QCOMPARE(places.find(0).program, chrome);
    QVERIFY(places.find(0).arguments.isEmpty());
#ifndef Q_OS_WIN
    // On the desktop the programs are looked up in PATH, with the system's own browser after.
    const BrowserPlaces system = BrowserPlaces::system();
    QVERIFY(system.chrome.contains("chromium"));
    QVERIFY(system.edge.contains("microsoft-edge"));
    QCOMPARE(system.fallback, QStringList{"x-www-browser"});
    QVERIFY(system.desktop.has_value());
#endif
}

void TstUrlcheck::findsBrowsersOnThePath_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("started");
    const QStringList all{"chromium", "microsoft-edge", "x-www-browser", "firefox"};
    QTest::newRow("chrome chosen") << all << 0 << QStringList{"chromium"};
    QTest::newRow("edge chosen") << all << 1 << QStringList{"microsoft-edge"};
    QTest::newRow("edge chosen, only chromium")
        << QStringList{"chromium", "x-www-browser"} << 1 << QStringList{"chromium"};
    QTest::newRow("neither: the system's browser")
        << QStringList{"x-www-browser", "firefox"} << 0 << QStringList{"x-www-browser"};
    QTest::newRow("nothing but the desktop's default")
        << QStringList{"firefox"} << 0 << QStringList{"firefox", "--new-window"};
    QTest::newRow("no browser at all") << QStringList{} << 0 << QStringList{};
    // A file that may not be run is no browser.
    QTest::newRow("not executable")
        << QStringList{"chromium:noexec", "firefox"} << 0 << QStringList{"firefox", "--new-window"};
}

// On a desktop without the fixed install paths: the browsers' program names in PATH, in the
// order of the choice; else the system's browser command; else the desktop's default.
void TstUrlcheck::findsBrowsersOnThePath() {
    QFETCH(QStringList, installed);
    QFETCH(int, choice);
    QFETCH(QStringList, started);
    QTemporaryDir tmp;
    const QString bin = tmp.filePath("bin");
    QDir().mkpath(bin);
    for (QString name : installed) {
        const bool runnable = !name.endsWith(":noexec");
        name.remove(":noexec");
        QFile f(bin + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        if (runnable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    const QString data = tmp.filePath("data");
    QDir().mkpath(data + "/applications");
    QFile entry(data + "/applications/firefox.desktop");
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nExec=firefox --new-window %u\n"
                "MimeType=text/html;x-scheme-handler/http;\n");
    entry.close();

    BrowserPlaces places{{"google-chrome-stable", "chromium"}, {"microsoft-edge"}};
    places.fallback = {"x-www-browser"};
    places.desktop = XdgDirs{{tmp.filePath("config")}, {data}, {}};
    places.searchPath = {bin};
    const BrowserCommand found = places.find(choice);
    if (started.isEmpty()) {
        QVERIFY(found.isEmpty());
        return;
    }
    QCOMPARE(found.program, bin + "/" + started.first());
    QCOMPARE(found.arguments, started.mid(1));
}

QTEST_GUILESS_MAIN(TstUrlcheck)
#include "tst_urlcheck.moc"
