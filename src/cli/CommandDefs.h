#pragma once

#include "cli/CommandDef.h"

#include <QList>

namespace vardex {

// The commands of each area, in the order `vardex --help` lists them.
QList<CommandDef> statusCommands();
QList<CommandDef> eventsCommands();
QList<CommandDef> unitsCommands();
QList<CommandDef> keysCommands();
QList<CommandDef> accessCommands();
QList<CommandDef> docCommands();
QList<CommandDef> readKeyCommands();
QList<CommandDef> collectCommands();
QList<CommandDef> unitStateCommands();
QList<CommandDef> uploadCommands();
QList<CommandDef> monitorCommands();
QList<CommandDef> reportCommands();
QList<CommandDef> tableCommands();
QList<CommandDef> shiftsCommands();
QList<CommandDef> schedulesCommands();
QList<CommandDef> holidaysCommands();
QList<CommandDef> planCommands();
QList<CommandDef> workplacesCommands();
QList<CommandDef> dayCommands();
QList<CommandDef> attendanceCommands();
QList<CommandDef> demoSiteCommands();

// Every command, `help` included, in that order.
const QList<CommandDef> &allCommands();

} // namespace vardex
