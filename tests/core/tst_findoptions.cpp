#include "settings/findoptions.h"

#include "platform/textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// "findelement.txt", the find window's place and size.
class TstFindoptions : public QObject {
    Q_OBJECT
private slots:
    void readsAsFarAsItGoes_data();
    void readsAsFarAsItGoes();
    void writtenPlaceReadsBack();
    void missingOrUnreadableGivesNothing();
};

void TstFindoptions::readsAsFarAsItGoes_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("taken"); // top, left, width, height as far as they were read
    QTest::newRow("whole") << QStringList{"40", "50", "600", "420"} << QList<int>{40, 50, 600, 420};
    QTest::newRow("spaces around")
        << QStringList{" 40", "50 ", "600", "420"} << QList<int>{40, 50, 600, 420};
    QTest::newRow("negative place")
        << QStringList{"-1200", "-30", "600", "420"} << QList<int>{-1200, -30, 600, 420};
    QTest::newRow("width no number")
        << QStringList{"40", "50", "bred", "420"} << QList<int>{40, 50};
    QTest::newRow("two lines") << QStringList{"40", "50"} << QList<int>{40, 50};
    QTest::newRow("too large a number")
        << QStringList{"40", "99999999999", "600", "420"} << QList<int>{40};
    QTest::newRow("empty") << QStringList{} << QList<int>{};
    QTest::newRow("more lines") << QStringList{"40", "50", "600", "420", "x"}
                                << QList<int>{40, 50, 600, 420};
}

void TstFindoptions::readsAsFarAsItGoes() {
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, taken);
    const WindowPlace place = parseFindOptions(lines);
    const std::optional<int> fields[] = {place.top, place.left, place.width, place.height};
    for (int i = 0; i < 4; ++i) {
        if (i < taken.size())
            QCOMPARE(fields[i], std::optional<int>(taken[i]));
        else
            QVERIFY(!fields[i]);
    }
}

void TstFindoptions::writtenPlaceReadsBack() {
    QTemporaryDir dir;
    const QString path = findOptionsPath(dir.path() + "/");
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("findelement.txt"));
    QString error;
    QVERIFY(writeFindOptions(path, 40, -50, 600, 420, &error));
    QCOMPARE(*textfile::readLines(path), (QStringList{"40", "-50", "600", "420"}));
    const WindowPlace place = readFindOptions(path);
    QCOMPARE(place.top, std::optional<int>(40));
    QCOMPARE(place.left, std::optional<int>(-50));
    QCOMPARE(place.width, std::optional<int>(600));
    QCOMPARE(place.height, std::optional<int>(420));
}

void TstFindoptions::missingOrUnreadableGivesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("findelement.txt");
    const WindowPlace missing = readFindOptions(path);
    QVERIFY(!missing.top && !missing.left && !missing.width && !missing.height);
    // A folder where the file belongs can be neither read nor replaced.
    QVERIFY(QDir().mkpath(path));
    const WindowPlace unreadable = readFindOptions(path);
    QVERIFY(!unreadable.top && !unreadable.width);
    QString error;
    QVERIFY(!writeFindOptions(path, 1, 2, 3, 4, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TstFindoptions)
#include "tst_findoptions.moc"
