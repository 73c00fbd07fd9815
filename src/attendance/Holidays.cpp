#include "attendance/Holidays.h"

#include "platform/OperatorMessages.h"
#include "tables/Table.h"
#include "tables/Transaction.h"
#include "text/LineFile.h"
#include "timecal/Calendar.h"
#include "timecal/DayMonth.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vardex {

namespace {

struct Holiday
{
    QDate date;
    QString name;
    QString line; // as the operator is shown it
};

// Appends the holiday; a date already there is told and left alone.
Result<bool> store(Table &t, const Holiday &h, OperatorMessages &messages)
{
    if (!t.append())
        return t.failure();
    t.setDateTime(QStringLiteral("Datum"), QDateTime(h.date, QTime(0, 0)));
    t.setString(QStringLiteral("Rem"), h.name);
    if (t.post())
        return true;
    const Failure why = t.failure();
    t.cancel();
    if (why.code != PostError::KeyViolation)
        return why;
    messages.information(QStringLiteral("Duplicitní datum svátku - ignorováno\n") + h.line);
    return false;
}

Holiday easterHoliday(int year, int shift, const char *name)
{
    const Date monday = EasterMonday(year);
    const QDate date = QDate(year, monday.month, monday.day).addDays(shift);
    const QString text = QString::fromUtf8(name);
    return {date, text, FormatDayMonth(PackDayMonth(date.day(), date.month())) + u' ' + text};
}

} // namespace

QString holidayListPath(const QString &workDir)
{
    return QDir(workDir).filePath(QLatin1String(HolidayListName));
}

QString shippedHolidayList()
{
    QStringList places;
    if (QCoreApplication::instance())
        places << QCoreApplication::applicationDirPath();
#ifdef VARDEX_SOURCE_DATA_DIR
    places << QStringLiteral(VARDEX_SOURCE_DATA_DIR);
#endif
    for (const QString &dir : places) {
        const QString path = holidayListPath(dir);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

Result<void> installHolidayList(const QString &workDir)
{
    const QString target = holidayListPath(workDir);
    if (QFileInfo::exists(target))
        return {};
    const QString source = shippedHolidayList();
    if (source.isEmpty())
        return {};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor nelze otevřít: ") + source};
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Chyba čtení souboru: ") + source};
    const FileWritten written = writeWholeFile(target, bytes);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

Result<HolidayFill> fillStandardHolidays(Table &holidays, const QString &listPath, int year,
                                         OperatorMessages &messages)
{
    const QString listName = QLatin1String(HolidayListName);
    if (!QFileInfo::exists(listPath))
        return Failure{listName + QStringLiteral(" - soubor nenalezen")};
    const LinesRead list = readLines(listPath);
    if (!list.ok)
        return Failure{list.error};

    // Lines without a date of that year keep their place, so that the
    // operator is told of each line in the order of the list.
    QList<Holiday> days;
    for (const QString &line : list.lines) {
        const quint16 word = ParseDayMonth(QStringView(line).left(6));
        const bool valid = word != InvalidDayMonth && IsValidDayMonthInYear(word, year);
        days.append({valid ? QDate(year, MonthOfDayMonth(word), DayOfDayMonth(word)) : QDate(),
                     line.mid(6).trimmed(), line});
    }
    if (year >= GoodFridayFromYear)
        days.append(easterHoliday(year, -3, "Velký pátek"));
    days.append(easterHoliday(year, 0, "Pondělí velikonoční"));

    HolidayFill fill;
    Transaction transaction(holidays);
    if (!transaction.active())
        return holidays.failure();
    for (const Holiday &h : days) {
        if (!h.date.isValid()) {
            messages.error(listName + QStringLiteral(" - chybné datum\n") + h.line);
            ++fill.wrongDates;
            continue;
        }
        const Result<bool> stored = store(holidays, h, messages);
        if (!stored)
            return stored.failure();
        ++(*stored ? fill.stored : fill.duplicates);
    }
    if (!transaction.commit())
        return holidays.failure();
    return fill;
}

} // namespace vardex
