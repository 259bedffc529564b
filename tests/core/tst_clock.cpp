#include "platform/clock.h"

#include <QTest>

// The date and time a visit records, as the user's locale writes them.
class TstClock : public QObject {
    Q_OBJECT
private slots:
    void dateKeepsItsYear_data();
    void dateKeepsItsYear();
};

namespace {
struct Fixed : Clock {
    QDate date;
    QTime time;
    QLocale loc;
    QDate today() const override { return date; }
    QTime now() const override { return time; }
    QLocale locale() const override { return loc; }
};
} // namespace

void TstClock::dateKeepsItsYear_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("dato");
    QTest::addColumn<QString>("klokken");
    const QLocale c = QLocale::c();
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    // "d MMM yyyy" would be cut to "10 Dec 202".
    QTest::newRow("C, month name") << c << QDate(2026, 12, 10) << "10-12-2026"
                                   << "13:45";
    // One format for every day, also where a short month name would fit.
    QTest::newRow("C, short day") << c << QDate(2026, 5, 1) << "01-05-2026"
                                  << "13:45";
    QTest::newRow("danish") << danish << QDate(2026, 12, 10) << "10.12.2026"
                            << "13.45";
    QTest::newRow("us") << us << QDate(2026, 12, 10) << "12/10/26"
                        << "1:45:";
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << QDate(2026, 12, 10)
                            << "10.12.26"
                            << "13:45";
}

void TstClock::dateKeepsItsYear() {
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    QFETCH(QString, dato);
    QFETCH(QString, klokken);
    Fixed clock;
    clock.date = date;
    clock.time = QTime(13, 45, 59);
    clock.loc = locale;
    QCOMPARE(clock.dateText(), dato);
    QCOMPARE(clock.timeText().left(5), klokken);
}

QTEST_GUILESS_MAIN(TstClock)
#include "tst_clock.moc"
