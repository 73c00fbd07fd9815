#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"

namespace vardex {

namespace {

int listWorkplaces(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    Table &workplaces = app.vx.tbPrs;
    workplaces.setIndex(QString());
    QString text;
    for (workplaces.first(); !workplaces.eof(); workplaces.next())
        text += (workplaces.asString(QStringLiteral("PRACOVISTE")).leftJustified(17) + u' ' +
                 workplaces.asString(QStringLiteral("POZNAMKA")))
                    .trimmed() +
                u'\n';
    if (workplaces.readFailed())
        return call.failed(workplaces.errorMessage());
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> workplacesCommands()
{
    CommandDef list;
    list.name = QStringLiteral("workplaces");
    list.summary = QStringLiteral("vypíše pracoviště (skupiny vyhodnocení docházky): kód a název");
    list.synopsis = QStringLiteral("vardex workplaces");
    list.details = QStringLiteral("  Jeden řádek na pracoviště v pořadí kódů: kód (17) a název.\n");
    list.run = listWorkplaces;
    return {list};
}

} // namespace vardex
