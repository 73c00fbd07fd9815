#include "attendance/AttendanceReports.h"

#include "timecal/Calendar.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"
#include "timecal/LongDuration.h"

namespace vardex {

namespace {

const QString kNoTime = QStringLiteral("  -  ");

// A day's time; 00:00 shows as a dash.
QString dayTime(quint16 word)
{
    return word == 0 ? kNoTime : FormatHourMinute(word);
}

QString momentTime(const DayMoment &m)
{
    return m.isSet() ? dayTime(m.time) : kNoTime;
}

QString noteColumn(const DayResult &day)
{
    QString note = day.note;
    if (day.night)
        note += QStringLiteral(" noc");
    return note.leftJustified(6, u' ', true);
}

QString dayLabel(const EvaluatedPeriod &p, int d)
{
    return FormatDayMonth(PackDayMonth(d, p.month)) + u' ' +
           DayName(WeekdayFromMonday(Date{p.year, p.month, d}));
}

QString periodDates(const EvaluatedPeriod &p)
{
    return FormatDayMonth(PackDayMonth(p.fromDay, p.month)) + QString::number(p.year) +
           QStringLiteral(" - ") + FormatDayMonth(PackDayMonth(p.toDay, p.month)) +
           QString::number(p.year);
}

QStringList workerHeader(const WorkerReport &r)
{
    return {QStringLiteral("Jméno:  ") + r.worker.nameWithTitles + QStringLiteral("; ") +
                r.worker.personalNumber + QStringLiteral(", ") + r.worker.workplace,
            QStringLiteral("Období: ") + periodDates(r.period),
            QStringLiteral("Rozpis: ") + r.planSource};
}

QString longText(quint32 d)
{
    return FormatLongDuration(d);
}

QString nameAndNumber(const ReportWorker &w)
{
    return w.name.leftJustified(25, u' ', true) + w.personalNumber.leftJustified(12, u' ', true);
}

QStringList statement(const WorkerReport &r, const PeriodTotals &t, bool explanations)
{
    const QString rule(63, u'-');
    const QString inner =
        QStringLiteral("|-----------|-------|-------|-------|-------|--------|--------|");
    QStringList lines{QStringLiteral("      VÝKAZ DOCHÁZKY"), QString()};
    lines << workerHeader(r) << rule
          << QStringLiteral("| Datum     | Přích.| Odch. | Norma | Výkon | Saldo  | Pozn.  |")
          << inner;
    for (int d = r.period.fromDay; d <= r.period.toDay; ++d) {
        const DayResult &day = r.results->days[size_t(d)];
        lines << QStringLiteral("| ") + dayLabel(r.period, d) + QStringLiteral(" | ") +
                     momentTime(day.firstArrival) + QStringLiteral(" | ") +
                     momentTime(day.lastDeparture) + QStringLiteral(" | ") + dayTime(day.norm) +
                     QStringLiteral(" | ") + dayTime(day.total) + QStringLiteral(" | ") +
                     day.balance + QStringLiteral(" | ") + noteColumn(day) + QStringLiteral(" |");
    }
    lines << inner
          << QStringLiteral("| Celkem:   |       |       |") + longText(t.norm) +
                 QStringLiteral(" |") + longText(t.total) + QStringLiteral(" |") +
                 SignedLongDiffText(t.total, t.norm) + QStringLiteral(" |        |")
          << rule;
    if (explanations)
        lines << QStringLiteral(" Význam položek:")
              << QStringLiteral("  Datum  - datum vyhodnocovaného dne")
              << QStringLiteral("  Přích. - první příchod na pracoviště")
              << QStringLiteral("  Odch.  - poslední odchod z pracoviště")
              << QStringLiteral("  Norma  - denní norma výkonu")
              << QStringLiteral("  Výkon  - skutečný (započítaný) výkon")
              << QStringLiteral("  Saldo  - rozdíl výkonu a normy")
              << QStringLiteral("  Pozn.  - poznámky (S-svátek, N-nepracovní den)");
    lines << QString();
    return lines;
}

QStringList extendedStatement(const WorkerReport &r, const PeriodTotals &t, bool explanations)
{
    const QString rule(78, u'-');
    const QString inner = QStringLiteral(
        "|-----------|-------|-------|-------|-------|-------|-------|-------|--------|");
    QStringList lines{QStringLiteral("      ROZŠÍŘENÝ VÝKAZ"), QString()};
    lines << workerHeader(r) << rule
          << QStringLiteral(
                 "| Datum     | Norma | Výkon |Pracov.|Služeb.| Přest.| Lékař | Volný | Pozn.  |")
          << inner;
    for (int d = r.period.fromDay; d <= r.period.toDay; ++d) {
        const DayResult &day = r.results->days[size_t(d)];
        QString line = QStringLiteral("| ") + dayLabel(r.period, d);
        for (quint16 v :
             {day.norm, day.total, day.work, day.business, day.lunch, day.doctor, day.other})
            line += QStringLiteral(" | ") + dayTime(v);
        lines << line + QStringLiteral(" | ") + noteColumn(day) + QStringLiteral(" |");
    }
    QString total = QStringLiteral("| Celkem:   |");
    for (quint32 v : {t.norm, t.total, t.work, t.business, t.lunch, t.doctor, t.other})
        total += longText(v) + QStringLiteral(" |");
    lines << inner << total + QStringLiteral("        |") << rule;
    if (explanations)
        lines << QStringLiteral(" Význam položek:")
              << QStringLiteral("  Datum   - datum vyhodnocovaného dne")
              << QStringLiteral("  Norma   - denní norma výkonu")
              << QStringLiteral("  Výkon   - skutečný (započítaný) výkon z toho:")
              << QStringLiteral("  Pracov. - doba registrovaná na pracovišti")
              << QStringLiteral("  Služeb. - doba registrovaná příznakem služebně mimo")
              << QStringLiteral("  Přest.  - doba registrovaná příznakem oběd")
              << QStringLiteral("  Lékař   - doba registrovaná příznakem u lékaře")
              << QStringLiteral("  Volný   - doba registrovaná volným snímačem")
              << QStringLiteral("  Pozn.   - poznámky (S-svátek, N-nepracovní den)");
    lines << QString();
    return lines;
}

QString summaryLine(const WorkerReport &r, const PeriodTotals &t)
{
    QString line = QStringLiteral("| ") + nameAndNumber(r.worker) + QStringLiteral(" |") +
                   SignedLongDiffText(t.total, t.norm) + QStringLiteral(" |");
    for (quint32 v : {t.norm, t.total, t.work, t.business, t.lunch, t.doctor, t.other})
        line += longText(v) + QStringLiteral(" |");
    return line;
}

QString exportLine(const WorkerReport &r, const PeriodTotals &t)
{
    return nameAndNumber(r.worker) +
           FormatDayMonth(PackDayMonth(r.period.fromDay, r.period.month)) +
           FormatDayMonth(PackDayMonth(r.period.toDay, r.period.month)) +
           QString::number(r.period.year) + longText(t.norm) + longText(t.total) +
           SignedLongDiffText(t.total, t.norm);
}

} // namespace

QStringList reportLines(ReportKind kind, const WorkerReport &report, bool explanations)
{
    const PeriodTotals totals = Sumarizace(*report.results, report.period);
    switch (kind) {
    case ReportKind::Statement:
        return statement(report, totals, explanations);
    case ReportKind::ExtendedStatement:
        return extendedStatement(report, totals, explanations);
    case ReportKind::Summary:
        return {summaryLine(report, totals)};
    case ReportKind::Export:
        return {exportLine(report, totals)};
    }
    return {};
}

QStringList summaryHeader(const QString &periodText)
{
    return {QStringLiteral("      SOUHRN DOCHÁZKY"),
            QString(),
            QStringLiteral("Pro období ") + periodText,
            QString(),
            QString(106, u'-'),
            QStringLiteral("| Jméno a příjmení        |Osob.čís.    | Saldo  | Norma | Výkon "
                           "|Pracov.|Služeb.| Přest.| Lékař | Volný |"),
            QStringLiteral("|---------------------------------------|--------|-------|-------|---"
                           "----|-------|-------|-------|-------|")};
}

QStringList summaryFooter()
{
    return {QString(106, u'-')};
}

} // namespace vardex
