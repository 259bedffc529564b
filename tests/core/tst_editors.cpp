#include "editors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Which editor the help window opens its documents in.
class TstEditors : public QObject {
    Q_OBJECT

    static void install(const QString& path, bool executable = true) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
    }

private slots:
    void firstInstalledWins_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("plainTextDefault");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Pennolo before a text editor")
            << QStringList{"opt/pennolo/pennolo", "bin/gedit"} << false << "opt/pennolo/pennolo";
        QTest::newRow("Pennolo's second place")
            << QStringList{"opt/pennolo/pennolo"} << true << "opt/pennolo/pennolo";
        QTest::newRow("text editors in their order")
            << QStringList{"bin/kate", "bin/gedit"} << false << "bin/gedit";
        QTest::newRow("the desktop's program for plain text")
            << QStringList{"bin/skriv"} << true << "bin/skriv";
        QTest::newRow("a file that may not run is no editor")
            << QStringList{"bin/gedit!"} << false << "";
        QTest::newRow("none") << QStringList{} << false << "";
    }
    void firstInstalledWins() {
        QFETCH(QStringList, installed);
        QFETCH(bool, plainTextDefault);
        QFETCH(QString, chosen);
        QTemporaryDir tmp;
        for (QString path : installed) {
            const bool executable = !path.endsWith(u'!');
            path.remove(u'!');
            install(tmp.filePath(path), executable);
        }
        const QString data = tmp.filePath("data");
        QDir().mkpath(data + "/applications");
        if (plainTextDefault) {
            QFile desktop(data + "/applications/skriv.desktop");
            QVERIFY(desktop.open(QIODevice::WriteOnly));
            desktop.write("[Desktop Entry]\nType=Application\nName=Skriv\nExec=skriv --ny %F\n"
                          "MimeType=text/plain;\n");
        }
        const EditorPlaces places{
            {tmp.filePath("usr/bin/pennolo"), tmp.filePath("opt/pennolo/pennolo"), "gedit", "kate"},
            XdgDirs{{tmp.filePath("config")}, {data}, {}},
            {tmp.filePath("bin")}};
        QCOMPARE(places.find(), chosen.isEmpty() ? QString() : tmp.filePath(chosen));
    }
};

QTEST_GUILESS_MAIN(TstEditors)
#include "tst_editors.moc"
