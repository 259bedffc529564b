#include "platform/desktopapps.h"
#include "platform/shell.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The Linux shell's "open" on files and programs. Nothing here opens a desktop program.
class TstShell : public QObject {
    Q_OBJECT
private slots:
    void refusesWithShellCodes_data();
    void refusesWithShellCodes();
    void startsExecutableWithoutWaiting();
    void fileWithoutProgramIsRefused_data();
    void fileWithoutProgramIsRefused();
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

QTEST_MAIN(TstShell)
#include "tst_shell.moc"
