// SVATKY.INI, the list of fixed-date holidays, filled in for a year that
// bytes 0–1 choose (1900–2099).
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "attendance/Holidays.h"

VARDEX_FUZZ_TARGET(HolidayList)
{
    if (input.size() < 2)
        return;
    const int year = 1900 + (quint8(input[0]) | quint8(input[1]) << 8) % 200;
    vardex::Session &s = vardex::fuzz::site();
    const QString path =
        vardex::fuzz::siteFile(QString::fromLatin1(vardex::HolidayListName), input.mid(2));
    (void)vardex::fillStandardHolidays(s.app.vx.tbSva, path, year, s.messages);
}
