#include "SystemClock.h"

#include <QDateTime>

namespace corvane::platform {

automation::LocalDateTime SystemClock::now() const
{
    const QDateTime local = QDateTime::currentDateTime();
    const QDate day = local.date();
    const QTime time = local.time();
    return {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()};
}

}  // namespace corvane::platform
