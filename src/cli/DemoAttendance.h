#pragma once

#include "base/Result.h"

namespace vardex {

class Application;

// The attendance part of the example site: the usual shifts, the demo
// schedules' days filled with them (a weekly morning schedule and a
// fortnightly two-shift one) and this year's holidays from the holiday
// list. The site is started and its schedules exist.
Result<void> addDemoAttendance(Application &app);

} // namespace vardex
