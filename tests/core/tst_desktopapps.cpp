#include "platform/desktopapps.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The desktop's default programs, read from a desktop's folders made in the test.
class TstDesktopapps : public QObject {
    Q_OBJECT
private slots:
    void defaultApplication_data();
    void defaultApplication();
    void commandWithoutFieldCodes_data();
    void commandWithoutFieldCodes();
    void hostileFilesArePassedOver_data();
    void hostileFilesArePassedOver();
};

namespace {
// A desktop's folders: a user's configuration and data, and one system data folder.
struct Desktop {
    QTemporaryDir tmp;
    QString config() const { return tmp.path() + "/config"; }
    QString userData() const { return tmp.path() + "/local"; }
    QString systemData() const { return tmp.path() + "/usr"; }
    XdgDirs dirs() const { return {{config()}, {userData(), systemData()}, {"lxqt"}}; }

    void write(const QString& path, const QString& text) const {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
    }
    void program(const QString& dataDir, const QString& relative, const QString& exec,
                 const QString& types = {}) const {
        write(dataDir + "/applications/" + relative,
              "[Desktop Entry]\nType=Application\nName=X\nExec=" + exec +
                  (types.isEmpty() ? QString() : "\nMimeType=" + types) + "\n");
    }
};
} // namespace

void TstDesktopapps::defaultApplication_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing installed") << ""
                                       << "application/pdf"
                                       << "";
    QTest::newRow("program says it opens the type") << "scan"
                                                    << "application/pdf"
                                                    << "okular.desktop";
    QTest::newRow("system cache") << "cache"
                                  << "application/pdf"
                                  << "evince.desktop";
    QTest::newRow("user default beats the cache") << "cache,userDefault"
                                                  << "application/pdf"
                                                  << "okular.desktop";
    QTest::newRow("desktop's own list first") << "cache,userDefault,desktopDefault"
                                              << "application/pdf"
                                              << "evince.desktop";
    QTest::newRow("default not installed is passed over") << "cache,missingDefault"
                                                          << "application/pdf"
                                                          << "evince.desktop";
    QTest::newRow("removed association") << "cache,removed"
                                         << "application/pdf"
                                         << "";
    QTest::newRow("added association") << "added"
                                       << "application/pdf"
                                       << "okular.desktop";
    QTest::newRow("a kind of text opens as text") << "scan"
                                                  << "text/x-csrc"
                                                  << "kde4-kate.desktop";
    QTest::newRow("another type") << "scan,cache"
                                  << "image/png"
                                  << "";
}

void TstDesktopapps::defaultApplication() {
    QFETCH(QString, setup);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    Desktop d;
    const QStringList steps = setup.split(',', Qt::SkipEmptyParts);
    d.program(d.userData(), "okular.desktop", "okular %U",
              steps.contains("scan") ? "application/pdf;" : "");
    d.program(d.userData(), "kde4/kate.desktop", "kate -b %U", "text/plain;");
    d.program(d.systemData(), "evince.desktop", "evince %U", "application/pdf;");
    if (steps.contains("cache"))
        d.write(d.systemData() + "/applications/mimeinfo.cache",
                "[MIME Cache]\napplication/pdf=evince.desktop;\n");
    else
        d.write(d.systemData() + "/applications/mimeinfo.cache", "[MIME Cache]\n");
    QString mimeapps;
    if (steps.contains("userDefault"))
        mimeapps += "[Default Applications]\napplication/pdf=okular.desktop\n";
    if (steps.contains("missingDefault"))
        mimeapps += "[Default Applications]\napplication/pdf=borte.desktop;\n";
    if (steps.contains("removed"))
        mimeapps += "[Removed Associations]\napplication/pdf=evince.desktop;\n";
    if (steps.contains("added"))
        mimeapps += "[Added Associations]\napplication/pdf=okular.desktop;\n";
    d.write(d.config() + "/mimeapps.list", mimeapps);
    if (steps.contains("desktopDefault"))
        d.write(d.config() + "/lxqt-mimeapps.list",
                "# The desktop's own\n[Default Applications]\napplication/pdf=evince.desktop;\n");
    QCOMPARE(DesktopApps(d.dirs()).defaultApplication(type), expected);
}

void TstDesktopapps::commandWithoutFieldCodes_data() {
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("command");
    QTest::newRow("plain") << "firefox-esr %u" << QStringList{"firefox-esr"};
    QTest::newRow("options kept") << "/usr/bin/chromium --new-window %U"
                                  << QStringList{"/usr/bin/chromium", "--new-window"};
    QTest::newRow("quoted") << R"("/opt/my browser/run" --name "a \"b\"" %F)"
                            << QStringList{"/opt/my browser/run", "--name", R"(a "b")"};
    QTest::newRow("embedded code and percent")
        << "prog --url=%u --level=100%%" << QStringList{"prog", "--url=", "--level=100%"};
    QTest::newRow("flatpak") << "flatpak run org.mozilla.firefox @@u %u @@"
                             << QStringList{"flatpak", "run", "org.mozilla.firefox", "@@u", "@@"};
    // The value's own escapes come first, then the quotes': four backslashes in a quoted
    // argument are one, and "\\$" a dollar sign.
    QTest::newRow("backslash in quotes")
        << R"("/opt/a\\\\b/run" %f)" << QStringList{R"(/opt/a\b/run)"};
    QTest::newRow("dollar in quotes")
        << R"(sh -c "echo \\$HOME")" << QStringList{"sh", "-c", "echo $HOME"};
}

void TstDesktopapps::commandWithoutFieldCodes() {
    QFETCH(QString, exec);
    QFETCH(QStringList, command);
    Desktop d;
    d.program(d.systemData(), "web.desktop", exec);
    const DesktopApps apps(d.dirs());
    QCOMPARE(apps.command("web.desktop"), command);
    QCOMPARE(apps.command("borte.desktop"), QStringList());
}

void TstDesktopapps::hostileFilesArePassedOver_data() {
    QTest::addColumn<QString>("hostile");
    QTest::newRow("list is a named pipe") << "fifo list";
    QTest::newRow("default's desktop file is a named pipe") << "fifo entry";
    QTest::newRow("default's desktop file far too large") << "huge entry";
}

// The desktop's files are read only when they are regular files of their kind's size: a named
// pipe keeps nothing waiting, and a desktop file no desktop entry can be is no program.
void TstDesktopapps::hostileFilesArePassedOver() {
    QFETCH(QString, hostile);
    Desktop d;
    d.program(d.systemData(), "evince.desktop", "evince %U", "application/pdf;");
    d.write(d.systemData() + "/applications/mimeinfo.cache",
            "[MIME Cache]\napplication/pdf=evince.desktop;\n");
    const QString list = d.config() + "/mimeapps.list";
    const QString entry = d.userData() + "/applications/big.desktop";
    QDir().mkpath(d.config());
    QDir().mkpath(d.userData() + "/applications");
    if (hostile == "fifo list") {
        QCOMPARE(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
    } else {
        d.write(list, "[Default Applications]\napplication/pdf=big.desktop;\n");
        if (hostile == "fifo entry")
            QCOMPARE(::mkfifo(QFile::encodeName(entry).constData(), 0600), 0);
        else
            d.write(entry,
                    "[Desktop Entry]\nType=Application\nExec=big %U\nMimeType=application/pdf;\n" +
                        QString(1 << 20, u'#'));
    }
    const DesktopApps apps(d.dirs());
    QCOMPARE(apps.defaultApplication("application/pdf"), QStringLiteral("evince.desktop"));
    QCOMPARE(apps.command("big.desktop"), QStringList());
    QVERIFY(!apps.runsInTerminal("big.desktop"));
}

QTEST_GUILESS_MAIN(TstDesktopapps)
#include "tst_desktopapps.moc"
