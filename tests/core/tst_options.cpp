#include "settings/options.h"

#include "platform/textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(MainOptions)
Q_DECLARE_METATYPE(WindowPlace)

class TstOptions : public QObject {
    Q_OBJECT
private slots:
    void readsMainOptions_data();
    void readsMainOptions();
    void writesNineLines();
    void readsBoksOptions_data();
    void readsBoksOptions();
    void filesAndDefaults();
    void fitsPlaceOnScreen_data();
    void fitsPlaceOnScreen();
};

namespace {
const QStringList full{"Carbon", "10", "20", "700", "500", "Nyheder", "Nyheder", "Værktøj", "0"};

QStringList with(int index, const QString& value) {
    QStringList l = full;
    l[index] = value;
    return l;
}
} // namespace

void TstOptions::readsMainOptions_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("goodInts"); // how many of top, left, width, height were taken
    QTest::addColumn<bool>("groups");
    QTest::addColumn<int>("mode"); // -1: not read
    QTest::newRow("complete") << full << 4 << true << 0;
    QTest::newRow("programs") << with(8, "1") << 4 << true << 1;
    QTest::newRow("five lines") << full.mid(0, 5) << 4 << false << -1;
    QTest::newRow("width not a number") << with(3, "bred") << 2 << false << -1;
    QTest::newRow("top not a number") << with(1, "") << 0 << false << -1;
    QTest::newRow("mode 2 is web") << with(8, "2") << 4 << true << 0;
    QTest::newRow("mode 255 is web") << with(8, "255") << 4 << true << 0;
    QTest::newRow("mode 256 stops") << with(8, "256") << 4 << true << -1;
    QTest::newRow("mode -1 stops") << with(8, "-1") << 4 << true << -1;
    QTest::newRow("eight lines") << full.mid(0, 8) << 4 << true << -1;
    QTest::newRow("empty file") << QStringList{} << 0 << false << -1;
}

void TstOptions::readsMainOptions() {
    QFETCH(QStringList, lines);
    QFETCH(int, goodInts);
    QFETCH(bool, groups);
    QFETCH(int, mode);
    const MainOptions o = parseMainOptions(lines);
    QCOMPARE(o.designname.has_value(), !lines.isEmpty());
    const std::optional<int> ints[] = {o.place.top, o.place.left, o.place.width, o.place.height};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(ints[i].has_value(), i < goodInts);
    QCOMPARE(o.gruppenavn1.has_value(), groups);
    if (groups)
        QCOMPARE(*o.gruppenavn1, lines[7]);
    QCOMPARE(o.funkNo.has_value(), mode >= 0);
    QCOMPARE(o.complete, mode >= 0);
    if (mode >= 0)
        QCOMPARE(int(*o.funkNo), mode);
}

void TstOptions::writesNineLines() {
    MainOptionValues v{"Sky", 120, 130, 595, 380, "", "", "", 1};
    QCOMPARE(formatMainOptions(v),
             (QStringList{"Sky", "120", "130", "595", "380", "", "", "", "1"}));
    const MainOptions back = parseMainOptions(formatMainOptions(v));
    QVERIFY(back.complete);
    QCOMPARE(*back.place.left, 130);
}

void TstOptions::readsBoksOptions_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("taken");
    QTest::newRow("five") << QStringList{"1", "2", "480", "400", "1"} << 5;
    QTest::newRow("four") << QStringList{"1", "2", "480", "400"} << 4;
    QTest::newRow("bad third") << QStringList{"1", "2", "x", "400", "1"} << 2;
    QTest::newRow("none") << QStringList{} << 0;
}

void TstOptions::readsBoksOptions() {
    QFETCH(QStringList, lines);
    QFETCH(int, taken);
    const BoksOptions o = parseBoksOptions(lines);
    const std::optional<int> all[] = {o.place.top, o.place.left, o.place.width, o.place.height,
                                      o.browser};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(all[i].has_value(), i < taken);
}

void TstOptions::filesAndDefaults() {
    QTemporaryDir tmp;
    const QString main = tmp.path() + "/main.txt";
    const QString boks = tmp.path() + "/lenKaro.txt";

    // No files yet: the defaults, complete; "Underholdning" only where zvk has it.
    MainOptions o = readMainOptions(main, tmp.path());
    QVERIFY(o.complete);
    QCOMPARE(*o.designname, QStringLiteral("Sky"));
    QCOMPARE(*o.place.top, 120);
    QCOMPARE(*o.place.width, 595);
    QCOMPARE(*o.place.height, 380);
    QCOMPARE(*o.gruppenavn, QString());
    QCOMPARE(int(*o.funkNo), 0);
    QDir().mkpath(tmp.path() + "/zvk/Program/Underholdning");
    QCOMPARE(*readMainOptions(main, tmp.path()).gruppenavn, QStringLiteral("Underholdning"));
    const BoksOptions b = readBoksOptions(boks);
    QCOMPARE(*b.place.left, 120);
    QCOMPARE(*b.place.width, 400);
    QCOMPARE(*b.place.height, 480);
    QVERIFY(!b.browser);

    // Written and read back.
    QString error;
    QVERIFY(writeMainOptions(main, {"Carbon", 10, 20, 700, 500, "B", "B", "P", 1}, &error));
    o = readMainOptions(main, tmp.path());
    QVERIFY(o.complete);
    QCOMPARE(*o.designname, QStringLiteral("Carbon"));
    QCOMPARE(*o.gruppenavn1, QStringLiteral("P"));
    QCOMPARE(int(*o.funkNo), 1);
    QVERIFY(writeBoksOptions(boks, 1, 2, 480, 400, 1, &error));
    QCOMPARE(*textfile::readLines(boks), (QStringList{"1", "2", "480", "400", "1"}));
    QCOMPARE(*readBoksOptions(boks).browser, 1);

    // A file that cannot be read gives nothing; one that cannot be written says why.
    QFile::remove(main);
    QDir().mkpath(main);
    o = readMainOptions(main, tmp.path());
    QVERIFY(!o.complete && !o.designname);
    QVERIFY(!writeMainOptions(main, {}, &error));
    QVERIFY(!error.isEmpty());
}

void TstOptions::fitsPlaceOnScreen_data() {
    QTest::addColumn<WindowPlace>("place");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    // A 1920 × 1040 area under a task bar 40 high at the top, and a second screen to the right.
    const QRect screen(0, 40, 1920, 1040);
    const QRect second(1920, 0, 1280, 1024);
    // The window is now at 120, 120, 595 × 380, the least it may be.
    QTest::newRow("fits as read") << WindowPlace{50, 60, 700, 500} << screen
                                  << QRect(60, 50, 700, 500);
    QTest::newRow("nothing read") << WindowPlace{} << screen << QRect(120, 120, 595, 380);
    QTest::newRow("only the width")
        << WindowPlace{{}, {}, 800, {}} << screen << QRect(120, 120, 800, 380);
    QTest::newRow("largest size") << WindowPlace{50, 60, most, most} << screen
                                  << QRect(0, 40, 1920, 1040);
    QTest::newRow("largest position")
        << WindowPlace{most, most, 700, 500} << screen << QRect(1220, 580, 700, 500);
    QTest::newRow("smallest position")
        << WindowPlace{least, least, 700, 500} << screen << QRect(0, 40, 700, 500);
    QTest::newRow("everything largest")
        << WindowPlace{most, most, most, most} << screen << QRect(0, 40, 1920, 1040);
    QTest::newRow("everything smallest")
        << WindowPlace{least, least, least, least} << screen << QRect(0, 40, 595, 380);
    QTest::newRow("below the minimum")
        << WindowPlace{50, 60, 100, -5} << screen << QRect(60, 50, 595, 380);
    QTest::newRow("hanging over the edge")
        << WindowPlace{900, 1500, 700, 500} << screen << QRect(1220, 580, 700, 500);
    QTest::newRow("on a second screen")
        << WindowPlace{100, 2000, 700, 500} << second << QRect(2000, 100, 700, 500);
    QTest::newRow("screen smaller than the minimum")
        << WindowPlace{50, 60, 700, 500} << QRect(0, 0, 500, 300) << QRect(0, 0, 595, 380);
}

void TstOptions::fitsPlaceOnScreen() {
    QFETCH(WindowPlace, place);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(fitPlace(place, QRect(120, 120, 595, 380), available, QSize(595, 380)), expected);
}

QTEST_GUILESS_MAIN(TstOptions)
#include "tst_options.moc"
