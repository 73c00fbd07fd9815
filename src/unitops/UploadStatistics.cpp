#include "unitops/UploadStatistics.h"

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"

#include <algorithm>

namespace vardex {

namespace {

QStringList useRow(const QString &label, qint64 records, const AssignmentUse &use)
{
    return {label, QString::number(records), QString::number(use.distinct),
            QString::number(use.holders), QString::number(use.without)};
}

} // namespace

Result<QList<QStringList>> uploadStatistics(TDB0DM &db, TVXDM &vx)
{
    qint64 counts[4] = {};
    Table *tables[4] = {&db.tbKey, &vx.tbPrs, &vx.tbDch, &vx.tbAcc};
    for (int i = 0; i < 4; ++i) {
        const Result<qint64> n = tables[i]->countRecords();
        if (!n)
            return n.failure();
        counts[i] = *n;
    }
    const Result<KeyStatistics> stats = vx.StatistikaKlicu();
    if (!stats)
        return stats.failure();
    return QList<QStringList>{
        {QString(), QStringLiteral("Počet"), QString(), QStringLiteral("Využívá"),
         QStringLiteral("Neurčeno")},
        {QStringLiteral("Klíče "), QString::number(counts[0]), QStringLiteral("Užito"),
         QStringLiteral("[klíčů]"), QStringLiteral("[klíčů]")},
        useRow(QStringLiteral("Pracoviště"), counts[1], stats->workplaces),
        useRow(QStringLiteral("Rozpisy"), counts[2], stats->schedules),
        useRow(QStringLiteral("Oprávnění"), counts[3], stats->permissionGroups),
    };
}

QStringList statisticsLines(const QList<QStringList> &grid)
{
    QList<qsizetype> widths;
    for (const QStringList &row : grid)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    QStringList lines;
    for (const QStringList &row : grid) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            // The label column reads left to right, the numbers line up right.
            line += (c == 0 ? row[c].leftJustified(widths[c]) : row[c].rightJustified(widths[c])) +
                    (c + 1 < row.size() ? QStringLiteral("  ") : QString());
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

} // namespace vardex
