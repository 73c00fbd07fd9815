#include "attendance/TVXDM.h"

#include "tables/Transaction.h"

namespace vardex {

namespace {

const QString kName = QStringLiteral("NAZEV");
const QString kValue = QStringLiteral("UdajN");

} // namespace

Result<void> TVXDM::tbPomStoreOrAdd(const QString &name, int n)
{
    if (Result<void> open = opened(tbPom); !open)
        return open;
    tbPom.setIndex(QString());
    const bool found = tbPom.findKey({name});
    if (tbPom.readFailed())
        return tbPom.failure();
    if (found ? !tbPom.edit() : !tbPom.append())
        return tbPom.failure();
    if (!found)
        tbPom.setString(kName, name);
    tbPom.setInt(kValue, (found ? tbPom.asInt(kValue) : 0) + n);
    if (!tbPom.post()) {
        const Failure why = tbPom.failure();
        tbPom.cancel();
        return why;
    }
    return {};
}

Result<CounterSum> TVXDM::tbCountType(QChar c)
{
    if (Result<void> open = opened(tbPom); !open)
        return open.failure();
    CounterSum total;
    for (tbPom.first(); !tbPom.eof(); tbPom.next()) {
        if (!tbPom.asString(kName).startsWith(c))
            continue;
        ++total.count;
        total.sum += tbPom.asInt(kValue);
    }
    if (tbPom.readFailed())
        return tbPom.failure();
    return total;
}

Result<void> TVXDM::tbPomEmptyTable()
{
    if (Result<void> open = opened(tbPom); !open)
        return open;
    if (!tbPom.empty())
        return tbPom.failure();
    return {};
}

Result<KeyStatistics> TVXDM::StatistikaKlicu()
{
    const Result<KeyStatistics> result = [this]() -> Result<KeyStatistics> {
        if (Result<void> open = opened(m_keyLookup); !open)
            return open.failure();
        if (Result<void> empty = tbPomEmptyTable(); !empty)
            return empty.failure();
        struct Kind
        {
            const char *field;
            QChar prefix;
            AssignmentUse KeyStatistics::*use;
        };
        const Kind kinds[] = {{"PRACOVISTE", u'P', &KeyStatistics::workplaces},
                              {"OPRAVNENI", u'O', &KeyStatistics::permissionGroups},
                              {"ROZPIS", u'R', &KeyStatistics::schedules}};
        KeyStatistics stats;
        // One transaction: a counter per holder and assignment is many posts.
        Transaction transaction(tbPom);
        if (!transaction.active())
            return tbPom.failure();
        for (m_keyLookup.first(); !m_keyLookup.eof(); m_keyLookup.next()) {
            for (const Kind &k : kinds) {
                const QString value = m_keyLookup.asString(QLatin1String(k.field));
                if (value.isEmpty()) {
                    ++(stats.*k.use).without;
                } else if (Result<void> added = tbPomStoreOrAdd(k.prefix + value, 1); !added) {
                    return added.failure();
                }
            }
        }
        if (m_keyLookup.readFailed())
            return m_keyLookup.failure();
        if (!transaction.commit())
            return tbPom.failure();
        for (const Kind &k : kinds) {
            const Result<CounterSum> counted = tbCountType(k.prefix);
            if (!counted)
                return counted.failure();
            (stats.*k.use).distinct = counted->count;
            (stats.*k.use).holders = counted->sum;
        }
        return stats;
    }();
    tbPom.close();
    return result;
}

} // namespace vardex
