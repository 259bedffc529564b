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

    // The date in the locale's short date format where that never takes more than the ten
    // characters a visit keeps, else as "dd-MM-yyyy", so a cut date always keeps its year.
    QString dateText() const;
    // The time in the locale's long time format (hours, minutes and seconds).
    QString timeText() const { return locale().toString(now(), QLocale::LongFormat); }

    // The system's clock and the user's locale.
    static std::unique_ptr<Clock> system();
};
