#pragma once

#include "base/Result.h"

namespace vardex {

class Application;

// A month of attendance at the example site's attendance unit (address
// 01): every holder comes and goes by the shifts of their schedule, some
// take a lunch break, one works nights (schedule "Noční"), one forgot to
// clock out one day. The month is the last whole month of this year before
// today (this month up to yesterday in January). The site is started, its
// holders, shifts, schedules and holidays exist.
Result<void> addDemoAttendanceEvents(Application &app);

} // namespace vardex
