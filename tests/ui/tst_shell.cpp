#include "shell.h"
#include "textfile.h"

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

QTEST_MAIN(TstShell)
#include "tst_shell.moc"
