#pragma once

#include <QDateTime>
#include <QLocale>

#include <memory>

// Today's date, the time now, and the locale they are written in.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QTime now() const = 0;
    virtual QLocale locale() const = 0;

    // The date in the locale's short date format.
    QString dateText() const { return locale().toString(today(), QLocale::ShortFormat); }
    // The time in the locale's long time format (hours, minutes and seconds).
    QString timeText() const { return locale().toString(now(), QLocale::LongFormat); }

    // The system's clock and the user's locale.
    static std::unique_ptr<Clock> system();
};
