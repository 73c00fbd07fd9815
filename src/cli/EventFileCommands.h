#pragma once

#include "cli/CommandDef.h"

namespace vardex {

// `events export`, `events import` and `events new`: the table tools
// of the event browser.
QList<CommandDef> eventFileCommands();

} // namespace vardex
