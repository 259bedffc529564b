#include "platform/desktopapps.h"
#include "platform/shell.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

// The Linux shell's "open" on files and programs. Nothing here opens a desktop program.
class TstShell : public QObject {
    Q_OBJECT
private slots:
    void refusesWithShellCodes_data();
    void refusesWithShellCodes();
    void startsExecutableWithoutWaiting();
    void fileWithoutProgramIsRefused_data();
    void fileWithoutProgramIsRefused();
    void addressNeverStartsProgram_data();
    void addressNeverStartsProgram();
    void addressOfDocumentGoesToItsProgram_data();
    void addressOfDocumentGoesToItsProgram();
};

void TstShell::refusesWithShellCodes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("code");
    QTest::newRow("missing file") << "FOLDER/mangler" << 2;
    QTest::newRow("missing folder") << "FOLDER/ingen/mangler" << 3;
    QTest::newRow("not a program") << "FOLDER/skrald" << 11;
    QTest::newRow("relative name") << "mangler" << 2;
}

void TstShell::refusesWithShellCodes() {
    QFETCH(QString, file);
    QFETCH(int, code);
    QTemporaryDir tmp;
    const QString garbage = tmp.filePath("skrald");
    QFile f(garbage);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\x7f\x45\x4c\x46 not really a program");
    f.close();
    QFile::setPermissions(garbage, QFile::permissions(garbage) | QFileDevice::ExeOwner);
    file.replace("FOLDER", tmp.path());
    QCOMPARE(Shell::system()->execute("open", file, QString(), QString(), Shell::ShowNormal), code);
}

void TstShell::startsExecutableWithoutWaiting() {
    QTemporaryDir tmp;
    const QString script = tmp.filePath("program med mellemrum");
    const QString marker = tmp.filePath("marker");
    QFile f(script);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(("#!/bin/sh\nsleep 0.3\necho \"$1\" > \"" + marker + "\"\n").toUtf8());
    f.close();
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    const int result =
        Shell::system()->execute("open", script, "\"et dokument.html\"", QString(), Shell::Show);
    QVERIFY(result > 32);
    // It returned before the program finished.
    QVERIFY(!QFileInfo::exists(marker));
    QTRY_VERIFY(QFileInfo::exists(marker));
    QTRY_COMPARE(textfile::readLines(marker).value_or(QStringList{}),
                 QStringList{"et dokument.html"});
}

void TstShell::fileWithoutProgramIsRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text") << "noter.txt" << QByteArray("Husk mælk\n");
    QTest::newRow("document") << "brev.pdf" << QByteArray("%PDF-1.4\n");
    QTest::newRow("unknown kind") << "data.xyz" << QByteArray("\x01\x02\x03\x04");
    // A script that may not be run is a file like any other.
    QTest::newRow("script not executable") << "job.sh" << QByteArray("#!/bin/sh\n");
}

// On a desktop where no program opens the file's type, nothing is started and the refusal is
// reported, where the desktop's opener would only have said that it started.
void TstShell::fileWithoutProgramIsRefused() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QTemporaryDir tmp;
    const QString file = tmp.filePath(name);
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    // A desktop with one program, for pictures only.
    const QString data = tmp.filePath("data");
    QDir().mkpath(data + "/applications");
    QFile viewer(data + "/applications/viewer.desktop");
    QVERIFY(viewer.open(QIODevice::WriteOnly));
    viewer.write("[Desktop Entry]\nType=Application\nExec=viewer %f\nMimeType=image/png;\n");
    viewer.close();
    const XdgDirs dirs{{tmp.filePath("config")}, {data}, {}};
    QCOMPARE(Shell::desktop(dirs)->execute("open", file, QString(), QString(), Shell::ShowNormal),
             31);
}

void TstShell::addressNeverStartsProgram_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("file address") << "URL/program";
    QTest::newRow("path") << "DIR/program";
    QTest::newRow("file address with blanks") << "URL/mit program";
    QTest::newRow("link named as a page") << "URL/side.html";
}

// A web address, from a bookmark or a page, is opened as a browser opens a link: a program it
// names is refused, and nothing is run.
void TstShell::addressNeverStartsProgram() {
    QFETCH(QString, address);
    QTemporaryDir tmp;
    const QString marker = tmp.filePath("kørt");
    auto script = [&](const QString& name, const QString& written) {
        QFile f(tmp.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(("#!/bin/sh\necho kørt > \"" + written + "\"\n").toUtf8());
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
    };
    script("program", marker);
    script("mit program", marker);
    QVERIFY(QFile::link(tmp.filePath("program"), tmp.filePath("side.html")));
    const QString after = tmp.filePath("bagefter");
    script("bagefter", after);
    if (address.startsWith("URL/"))
        address = QUrl::fromLocalFile(tmp.filePath(address.mid(4))).toString(QUrl::FullyEncoded);
    address.replace("DIR", tmp.path());

    const std::unique_ptr<Shell> shell = Shell::desktop({{tmp.filePath("config")}, {}, {}});
    QCOMPARE(shell->execute(QString(), address, QString(), QString(), Shell::ShowNormal), 5);
    // A program the user chose is started by "open" as before; once it has run, a program
    // started before it would have had its time too.
    QVERIFY(shell->execute("open", tmp.filePath("bagefter"), QString(), QString(),
                           Shell::ShowNormal) > 32);
    QTRY_VERIFY(QFileInfo::exists(after));
    QVERIFY(!QFileInfo::exists(marker));
}

void TstShell::addressOfDocumentGoesToItsProgram_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("code");
    // The desktop of the test has no program for anything: a document gets as far as asking
    // for one.
    QTest::newRow("file address of a document") << "URL/noter.txt" << 31;
    QTest::newRow("path of a document") << "DIR/noter.txt" << 31;
    QTest::newRow("folder") << "URL/mappe" << 31;
    QTest::newRow("missing document") << "URL/mangler.txt" << 2;
    QTest::newRow("missing folder") << "DIR/ingen/mangler.txt" << 3;
    QTest::newRow("script that may not be run") << "URL/job.sh" << 5;
    QTest::newRow("desktop entry") << "URL/lommeregner.desktop" << 5;
    QTest::newRow("named pipe") << "URL/rør" << 5;
    QTest::newRow("relative path") << "noter.txt" << 2;
    // Schemes of programs of their own are not handed on.
    QTest::newRow("scheme of a program") << "steam://run/440" << 31;
    QTest::newRow("script scheme") << "javascript:alert(1)" << 31;
}

void TstShell::addressOfDocumentGoesToItsProgram() {
    QFETCH(QString, address);
    QFETCH(int, code);
    QTemporaryDir tmp;
    auto file = [&](const QString& name, const QByteArray& content) {
        QFile f(tmp.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    file("noter.txt", "Husk mælk\n");
    file("job.sh", "#!/bin/sh\n");
    file("lommeregner.desktop", "[Desktop Entry]\nType=Application\nExec=calc\n");
    QVERIFY(QDir().mkpath(tmp.filePath("mappe")));
    QCOMPARE(::mkfifo(QFile::encodeName(tmp.filePath("rør")).constData(), 0600), 0);
    if (address.startsWith("URL/"))
        address = QUrl::fromLocalFile(tmp.filePath(address.mid(4))).toString();
    address.replace("DIR", tmp.path());
    const XdgDirs nothing{{tmp.filePath("config")}, {tmp.filePath("data")}, {}};
    QCOMPARE(Shell::desktop(nothing)->execute(QString(), address, QString(), QString(),
                                              Shell::ShowNormal),
             code);
}

QTEST_MAIN(TstShell)
#include "tst_shell.moc"
