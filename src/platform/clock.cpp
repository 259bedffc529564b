#include "platform/clock.h"

namespace {
constexpr qsizetype keptLength = 10;

// Whether every date of the year, written in the locale's short format, fits the kept length:
// month names and two-digit days make the longest ones.
bool shortDateFits(const QLocale& locale, int year) {
    for (int month = 1; month <= 12; ++month) {
        if (locale.toString(QDate(year, month, 28), QLocale::ShortFormat).size() > keptLength)
            return false;
    }
    return true;
}

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QTime now() const override { return QTime::currentTime(); }
    QLocale locale() const override { return QLocale::system(); }
};
} // namespace

std::unique_ptr<Clock> Clock::system() {
    return std::make_unique<SystemClock>();
}

QString Clock::dateText() const {
    const QLocale loc = locale();
    const QDate date = today();
    if (shortDateFits(loc, date.year()))
        return loc.toString(date, QLocale::ShortFormat);
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}
