#pragma once

#include "base/Result.h"

namespace vardex {

class Application;

// The calendar plan of the example site: this month for the first holders
// with a shift schedule, from their schedules, with a few vacation days.
// The site is started and its schedules and holders exist.
Result<void> addDemoPlan(Application &app);

} // namespace vardex
