#include "clock.h"

namespace {
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
