#include "attendance/ScheduleFile.h"

#include "attendance/AttendanceSchemas.h"
#include "tables/Table.h"
#include "tables/Transaction.h"
#include "text/FixedWidth.h"
#include "text/LineFile.h"

#include <QFileInfo>

namespace vardex {

namespace {

constexpr int kNameWidth = 17;
constexpr int kHead = kNameWidth + 2 + 10;
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// Sets the table's post-error handler aside for the import, which reports
// refusals itself, and puts it back afterwards.
class RefusalCatcher
{
public:
    explicit RefusalCatcher(Table &table) : m_table(table), m_saved(table.onPostError)
    {
        table.onPostError = [this](Table &, int, const QString &message) {
            m_message = message;
            return PostErrorAction::Abort;
        };
    }
    ~RefusalCatcher() { m_table.onPostError = m_saved; }
    RefusalCatcher(const RefusalCatcher &) = delete;
    RefusalCatcher &operator=(const RefusalCatcher &) = delete;

    // The refusal since the last call, else `fallback`.
    QString take(const QString &fallback)
    {
        QString message = m_message.isEmpty() ? fallback : m_message;
        m_message.clear();
        return message.isEmpty() ? QStringLiteral("Záznam nelze uložit") : message;
    }

private:
    Table &m_table;
    std::function<PostErrorAction(Table &, int, const QString &)> m_saved;
    QString m_message;
};

// Appends the schedule and posts it; the refusal's text when it is refused.
QString appendSchedule(Table &t, const ScheduleLine &s, RefusalCatcher &refusal)
{
    if (!t.append())
        return refusal.take(t.errorMessage());
    t.setString(QStringLiteral("ROZPIS"), s.name);
    t.setInt(QStringLiteral("DelkaRozpisu"), s.length);
    if (s.start.isValid())
        t.setDate(QStringLiteral("DatumOd"), s.start);
    for (int i = 0; i < s.shiftNames.size(); ++i)
        t.setString(scheduleShiftField(i + 1), s.shiftNames[i]);
    if (t.post())
        return {};
    const QString message = refusal.take(t.errorMessage());
    t.cancel();
    return message;
}

} // namespace

QString scheduleTextLine(const Table &schedules)
{
    const int length =
        std::clamp(schedules.asInt(QStringLiteral("DelkaRozpisu")), 0, ScheduleCycleDays);
    const QDate start = schedules.asDate(QStringLiteral("DatumOd"));
    QString line = fitToWidth(schedules.asString(QStringLiteral("ROZPIS")), kNameWidth) +
                   QStringLiteral("%1").arg(length, 2, 10, QLatin1Char('0')) +
                   (start.isValid() ? start.toString(kDateFormat) : QString(10, u' '));
    for (int i = 1; i <= length; ++i)
        line += fitToWidth(schedules.asString(scheduleShiftField(i)), kNameWidth);
    return line + FixedWidthLineMark;
}

std::optional<ScheduleLine> parseScheduleLine(QStringView line)
{
    if (!hasLineMark(line))
        return std::nullopt;
    const QStringView body = line.chopped(1);
    if (body.size() < kHead)
        return std::nullopt;
    ScheduleLine s;
    s.name = body.left(kNameWidth).trimmed().toString();
    const QStringView length = body.mid(kNameWidth, 2);
    if (!length[0].isDigit() || !length[1].isDigit())
        return std::nullopt;
    s.length = length.toInt();
    if (s.length > ScheduleCycleDays || body.size() != kHead + kNameWidth * s.length)
        return std::nullopt;
    const QStringView start = body.mid(kNameWidth + 2, 10);
    if (!start.trimmed().isEmpty()) {
        s.start = QDate::fromString(start.toString(), kDateFormat);
        if (!s.start.isValid())
            return std::nullopt;
    }
    for (int i = 0; i < s.length; ++i)
        s.shiftNames << body.mid(kHead + kNameWidth * i, kNameWidth).trimmed().toString();
    return s;
}

Result<int> exportScheduleText(Table &schedules, const QString &path)
{
    // A cursor of its own keeps the caller's place, order and filter.
    Table records(schedules.schema(), QFileInfo(schedules.filePath()).absolutePath());
    if (!records.open())
        return records.failure();
    LineFileWriter writer;
    if (!writer.open(path, LineFileWriter::Mode::Create))
        return Failure{writer.errorString()};
    int count = 0;
    for (records.first(); !records.eof(); records.next()) {
        writer.writeLine(scheduleTextLine(records));
        ++count;
    }
    if (records.readFailed()) // the unfinished file is dropped
        return records.failure();
    if (!writer.close())
        return Failure{writer.errorString()};
    return count;
}

TextImportResult importScheduleText(Table &schedules, const QString &path, bool emptyFirst,
                                    const ScheduleImportHandlers &handlers, TextImportMode mode)
{
    TextImportResult result;
    const LinesRead file = readLines(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    Transaction transaction(schedules);
    if (!transaction.active()) {
        result.error = schedules.errorMessage();
        return result;
    }
    RefusalCatcher refusal(schedules);
    if (emptyFirst && !schedules.empty()) {
        result.error = schedules.errorMessage();
        return result;
    }
    for (qsizetype i = 0; i < file.lines.size() && !result.stopped; ++i) {
        const int lineNo = int(i + 1);
        const QString &line = file.lines[i];
        const std::optional<ScheduleLine> schedule = parseScheduleLine(line);
        if (!schedule) {
            result.skipped.append({lineNo, line, QStringLiteral("Chybná data: ") + line});
            result.stopped = handlers.badLine && !handlers.badLine(lineNo, line);
            continue;
        }
        const QString refused = appendSchedule(schedules, *schedule, refusal);
        if (refused.isEmpty()) {
            ++result.imported;
            continue;
        }
        result.skipped.append({lineNo, line, refused});
        result.stopped = handlers.refused && !handlers.refused(lineNo, line, refused);
    }
    const bool incomplete = !result.skipped.isEmpty();
    if ((mode == TextImportMode::AllOrNothing && incomplete) || (result.stopped && emptyFirst)) {
        schedules.rollback();
        result.error = QStringLiteral("Import nebyl dokončen, tabulka %1 zůstala beze změny")
                           .arg(schedules.schema().file());
        result.imported = 0;
        result.rolledBack = true;
        schedules.first();
        return result;
    }
    if (!transaction.commit()) {
        result.error = QStringLiteral("Import nelze dokončit: %1").arg(schedules.errorMessage());
        result.imported = 0;
        return result;
    }
    schedules.first();
    result.ok = true;
    return result;
}

} // namespace vardex
