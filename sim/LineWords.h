#pragma once

#include "base/Result.h"
#include "sim/SimConfig.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vardex::sim {

// The words of one line of the simulator's text files (the configuration and
// the state file): positional words, and name=value words with the name in
// lower case.
struct LineWords
{
    QStringList positional;
    QList<QPair<QString, QString>> named;

    static LineWords split(const QString &line);
};

// A decimal number within lo..hi.
std::optional<int> decimalIn(const QString &text, int lo, int hi);
// "H:MM" or "HH:MM" as a packed time of day.
std::optional<quint16> hourMinute(const QString &text);
// 14 hexadecimal digits, or "-" for no key.
std::optional<KeyBytes> keyOrDash(const QString &text);
// "none", "zeroed", "locked", "configured".
std::optional<quint8> unitStateFromName(const QString &name);
QString unitStateName(quint8 state);

// "unit ADDR [type=N] [mode=N] [state=NAME] [memory=N] [alarm=HH] [relay=HH]
// [config=HEX]"; `more` takes the name=value words the unit line of another
// file adds and says whether it knew them.
Result<UnitSetup>
unitFromWords(const LineWords &w,
              const std::function<bool(const QString &name, const QString &value)> &more = {});
// "permit ADDR KEY [attr=HH] [days=N] [from=HH:MM] [to=HH:MM]"; the failure
// says what is wrong with the line.
Result<SimConfig::PermitLine> permitFromWords(const LineWords &w);
// "event ADDR KEY|- DD.MM. HH:MM RES".
Result<SimConfig::EventLine> eventFromWords(const LineWords &w);
// The lines the two read back, every field written out.
QString permitLine(const SimConfig::PermitLine &p);
QString eventLine(const SimConfig::EventLine &e);

} // namespace vardex::sim
