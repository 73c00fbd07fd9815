#include "platform/Clock.h"

namespace vardex {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace vardex
