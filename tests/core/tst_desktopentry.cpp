#include "platform/desktopentry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The reader of desktop entries and the desktop's other key files, from bytes and from files
// made in the test.
class TstDesktopentry : public QObject {
    Q_OBJECT
private slots:
    void strings_data();
    void strings();
    void localeStrings_data();
    void localeStrings();
    void lists_data();
    void lists();
    void groupsAndLines();
    void onlySmallRegularFilesAreRead_data();
    void onlySmallRegularFilesAreRead();
};

namespace {
QByteArray entry(const QByteArray& lines) {
    return "[Desktop Entry]\nType=Application\n" + lines;
}
} // namespace

void TstDesktopentry::strings_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QByteArray("Name=Lommeregner") << "Lommeregner";
    // A comma is a character like any other: the name is one string.
    QTest::newRow("comma") << QByteArray("Name=Tekst, billeder og lyd") << "Tekst, billeder og lyd";
    QTest::newRow("blanks around the equals sign")
        << QByteArray("Name  =   Lommeregner  ") << "Lommeregner";
    QTest::newRow("escaped blanks") << QByteArray("Name=\\sTo  ord\\s") << " To  ord ";
    QTest::newRow("escapes") << QByteArray("Name=a\\nb\\tc\\rd\\\\e") << "a\nb\tc\rd\\e";
    QTest::newRow("no escape stays as written")
        << QByteArray("Name=C:\\Programmer\\x") << "C:\\Programmer\\x";
    QTest::newRow("backslash last") << QByteArray("Name=slut\\") << "slut\\";
    QTest::newRow("equals sign in the value") << QByteArray("Name=a=b") << "a=b";
    QTest::newRow("danish letters")
        << QByteArray("Name=Ærø Ålborg") << QStringLiteral("Ærø Ålborg");
    QTest::newRow("windows-1252") << QByteArray("Name=\xe6\xf8\xe5") << QStringLiteral("æøå");
    QTest::newRow("empty value") << QByteArray("Name=") << "";
}

void TstDesktopentry::strings() {
    QFETCH(QByteArray, line);
    QFETCH(QString, value);
    const DesktopEntry e = DesktopEntry::parse(entry(line + "\n"));
    QCOMPARE(e.string("Name"), value);
    QVERIFY(!e.string("Name").isNull());
    QVERIFY(e.string("Comment").isNull());
}

void TstDesktopentry::localeStrings_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("value");
    const QByteArray all = "Name=Calculator\nName[da]=Lommeregner\nName[da_DK]=Regnemaskine\n"
                           "Name[da@jysk]=Regnebræt\nName[da_DK@jysk]=Tællebræt\n";
    QTest::newRow("language and country first") << all << "da_DK"
                                                << "Regnemaskine";
    QTest::newRow("with modifier") << all << "da_DK@jysk"
                                   << "Tællebræt";
    QTest::newRow("language with modifier") << all << "da@jysk"
                                            << "Regnebræt";
    QTest::newRow("encoding does not count") << all << "da_DK.UTF-8"
                                             << "Regnemaskine";
    // The Danish name comes before the common one, wherever it stands in the file.
    QTest::newRow("language") << QByteArray("Name[da]=Lommeregner\nName=Calculator\n") << "da_DK"
                              << "Lommeregner";
    QTest::newRow("common name last")
        << QByteArray("Name=Calculator\nName[de]=Rechner\n") << "da_DK"
        << "Calculator";
    QTest::newRow("country alone is no language")
        << QByteArray("Name=Calculator\nName[da_DK]=Regnemaskine\n") << "da"
        << "Calculator";
    QTest::newRow("escapes in a translation")
        << QByteArray("Name=x\nName[da]=Tekst,\\sbilleder\n") << "da_DK"
        << "Tekst, billeder";
}

void TstDesktopentry::localeStrings() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, locale);
    QFETCH(QString, value);
    QCOMPARE(DesktopEntry::parse(entry(lines)).localeString("Name", locale), value);
}

void TstDesktopentry::lists_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("ended") << QByteArray("text/plain;image/png;")
                           << QStringList{"text/plain", "image/png"};
    QTest::newRow("last not ended") << QByteArray("a;b") << QStringList{"a", "b"};
    QTest::newRow("escaped semicolon") << QByteArray("a\\;b;c;") << QStringList{"a;b", "c"};
    QTest::newRow("escaped backslash before separator")
        << QByteArray("a\\\\;b;") << QStringList{"a\\", "b"};
    QTest::newRow("string escapes in items") << QByteArray("a\\sb;") << QStringList{"a b"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TstDesktopentry::lists() {
    QFETCH(QByteArray, value);
    QFETCH(QStringList, items);
    QCOMPARE(DesktopEntry::parse(entry("MimeType=" + value + "\n")).list("MimeType"), items);
}

void TstDesktopentry::groupsAndLines() {
    const DesktopEntry e = DesktopEntry::parse("\xef\xbb\xbf# A comment\r\n"
                                               "Loose=before any group\r\n"
                                               "  [Desktop Entry]  \r\n"
                                               "Name=First\r\n"
                                               "Name=Second\r\n"
                                               "   # indented comment\r\n"
                                               "=no key\r\n"
                                               "no equals sign\r\n"
                                               "Exec=prog\r\n"
                                               "[Desktop Action new-window]\n"
                                               "Name=Nyt vindue\n"
                                               "[Broken group\n"
                                               "Hidden=true\n"
                                               "[Also [broken]\n"
                                               "Terminal=true\n"
                                               "[Desktop Entry]\n"
                                               "Icon=calc\n");
    // The first value of a key counts; a group given twice is one group.
    QCOMPARE(e.string("Name"), QStringLiteral("First"));
    QCOMPARE(e.string("Exec"), QStringLiteral("prog"));
    QCOMPARE(e.string("Icon"), QStringLiteral("calc"));
    QCOMPARE(e.string("Name", "Desktop Action new-window"), QStringLiteral("Nyt vindue"));
    // Lines outside any group, and after a damaged group line, belong to no group.
    QVERIFY(e.string("Loose").isNull());
    QVERIFY(!e.boolean("Hidden"));
    QVERIFY(!e.boolean("Hidden", "Desktop Action new-window"));
    QVERIFY(!e.boolean("Terminal", "Desktop Action new-window"));
    QVERIFY(!e.hasGroup("Broken group"));
    QVERIFY(e.hasGroup("Desktop Entry"));
    auto keys = e.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"Exec", "Icon", "Name"}));

    QVERIFY(!DesktopEntry::parse({}).hasGroup("Desktop Entry"));
    QVERIFY(!DesktopEntry::parse(QByteArray(4096, '\0')).hasGroup("Desktop Entry"));
}

void TstDesktopentry::onlySmallRegularFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    QTest::newRow("a desktop entry") << "entry" << true;
    QTest::newRow("empty") << "empty" << true;
    QTest::newRow("just within the size") << "largest" << true;
    QTest::newRow("larger than a desktop entry can be") << "huge" << false;
    QTest::newRow("named pipe") << "fifo" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("link to a named pipe") << "link" << false;
}

// A dropped or installed file named .desktop may be anything: it is read only when it is a
// regular file of a desktop entry's size, and a named pipe never keeps the reader waiting.
void TstDesktopentry::onlySmallRegularFilesAreRead() {
    QFETCH(QString, kind);
    QFETCH(bool, read);
    QTemporaryDir tmp;
    const QString path = tmp.filePath("x.desktop");
    const QByteArray name = "[Desktop Entry]\nName=Lommeregner\n";
    auto write = [&](const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    };
    if (kind == "entry") {
        write(name);
    } else if (kind == "empty") {
        write({});
    } else if (kind == "largest" || kind == "huge") {
        const qint64 size = DesktopEntry::largestEntry + (kind == "huge" ? 1 : 0);
        write(name + QByteArray(size - name.size(), '#'));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "link") {
        const QString fifo = tmp.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, path));
    }
    QString error;
    const std::optional<DesktopEntry> e = DesktopEntry::read(path, &error);
    QCOMPARE(bool(e), read);
    QCOMPARE(error.isEmpty(), read);
    if (e && kind != "empty")
        QCOMPARE(e->string("Name"), QStringLiteral("Lommeregner"));
}

QTEST_GUILESS_MAIN(TstDesktopentry)
#include "tst_desktopentry.moc"
