#include "platform/editors.h"

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
        QCOMPARE(places.find().program, chosen.isEmpty() ? QString() : tmp.filePath(chosen));
    }

    // An editor that draws in a terminal, with no terminal around it, writes its screen into
    // the program's output and ends: it is shown in a terminal, or a graphical editor is used.
    void terminalEditorsRunInATerminal_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("desktopEntry"); // the default for plain text; empty for none
        QTest::addColumn<QString>("program");      // empty: none, and the reason names editor
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("editor");
        const QString vimEntry = "Name=Vim\nExec=vim %F\nTerminal=true\n";
        QTest::newRow("Terminal=true, in the terminal")
            << QStringList{"bin/vim", "bin/x-terminal-emulator"} << vimEntry
            << "bin/x-terminal-emulator" << QStringList{"-e", "bin/vim"} << "";
        QTest::newRow("its arguments after it")
            << QStringList{"bin/skriv", "bin/xterm"}
            << "Name=Skriv\nExec=skriv --ny %F\nTerminal=true\n"
            << "bin/xterm" << QStringList{"-e", "bin/skriv", "--ny"} << "";
        QTest::newRow("the first terminal installed")
            << QStringList{"bin/vim", "bin/xterm"} << vimEntry << "bin/xterm"
            << QStringList{"-e", "bin/vim"} << "";
        QTest::newRow("a known terminal editor without Terminal=true")
            << QStringList{"bin/nano", "bin/xterm"} << "Name=Nano\nExec=nano %F\n"
            << "bin/xterm" << QStringList{"-e", "bin/nano"} << "";
        QTest::newRow("a graphical editor goes first")
            << QStringList{"bin/vim", "bin/gedit", "bin/xterm"} << vimEntry << "bin/gedit"
            << QStringList{} << "";
        QTest::newRow("no terminal: none, and the reason names the editor")
            << QStringList{"bin/vim"} << vimEntry << "" << QStringList{} << "vim";
        QTest::newRow("nothing at all") << QStringList{"bin/xterm"} << ""
                                        << "" << QStringList{} << "";
    }
    void terminalEditorsRunInATerminal() {
        QFETCH(QStringList, installed);
        QFETCH(QString, desktopEntry);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, editor);
        QTemporaryDir tmp;
        for (const QString& path : installed)
            install(tmp.filePath(path));
        const QString data = tmp.filePath("data");
        QDir().mkpath(data + "/applications");
        if (!desktopEntry.isEmpty()) {
            QFile desktop(data + "/applications/redigering.desktop");
            QVERIFY(desktop.open(QIODevice::WriteOnly));
            desktop.write("[Desktop Entry]\nType=Application\nMimeType=text/plain;\n" +
                          desktopEntry.toUtf8());
        }
        const EditorPlaces places{{"gedit"},
                                  XdgDirs{{tmp.filePath("config")}, {data}, {}},
                                  {tmp.filePath("bin")},
                                  {"x-terminal-emulator", "xterm"}};
        const Editor found = places.find();
        QCOMPARE(found.program, program.isEmpty() ? QString() : tmp.filePath(program));
        QStringList expected;
        for (const QString& a : arguments)
            expected << (a.startsWith("bin/") ? tmp.filePath(a) : a);
        QCOMPARE(found.arguments, expected);
        QCOMPARE(found.reason.isEmpty(), !program.isEmpty());
        if (!editor.isEmpty())
            QVERIFY2(found.reason.contains(editor), qPrintable(found.reason));
    }

    void terminalEditorsByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("terminal");
        QTest::newRow("vim") << "vim" << true;
        QTest::newRow("Debian's vim.basic") << "vim.basic" << true;
        QTest::newRow("nano") << "nano" << true;
        QTest::newRow("gedit") << "gedit" << false;
        QTest::newRow("gvim has a window") << "gvim" << false;
        QTest::newRow("a link named editor to vim") << "editor>vim.tiny" << true;
    }
    void terminalEditorsByName() {
        QFETCH(QString, name);
        QFETCH(bool, terminal);
        QTemporaryDir tmp;
        const QString link = name.section(u'>', 0, 0), target = name.section(u'>', 1);
        install(tmp.filePath(target.isEmpty() ? link : target));
        if (!target.isEmpty())
            QVERIFY(QFile::link(tmp.filePath(target), tmp.filePath(link)));
        QCOMPARE(isTerminalEditor(tmp.filePath(link)), terminal);
    }
};

QTEST_GUILESS_MAIN(TstEditors)
#include "tst_editors.moc"
