#include "unitops/SearchedKeys.h"

#include "accessdata/TDB0DM.h"

namespace vardex {

namespace {

const QString kCTM = QStringLiteral("CTM");
const QString kZPRAVA = QStringLiteral("ZPRAVA");
const QString kALARM = QStringLiteral("ALARM");
constexpr int kMessageWidth = 25;

QString alarmText(bool on)
{
    return on ? QStringLiteral("A") : QStringLiteral("N");
}

} // namespace

SearchedKeys::SearchedKeys(TDB0DM &db) : m_db(db)
{
}

QString SearchedKeys::defaultMessage()
{
    return QStringLiteral("Byl nalezen hledaný klíč!");
}

bool SearchedKeys::fillInsertedRow(const QString &chosenKey)
{
    Table &t = m_db.tbSKey;
    if (t.state() != TableState::Insert)
        return false;
    if (chosenKey.isEmpty()) {
        t.cancel();
        return false;
    }
    return t.setString(kCTM, chosenKey) && t.setString(kZPRAVA, defaultMessage()) &&
           t.setString(kALARM, alarmText(false));
}

QString SearchedKeys::keyColumnText(const QString &ctm)
{
    return m_db.tbKeyNameOfKey(ctm);
}

Result<void> SearchedKeys::switchAll(bool on)
{
    const bool done = on ? m_db.tbSKeyZapnoutVse() : m_db.tbSKeyVypnoutVse();
    if (!done)
        return Failure{m_db.tbSKey.errorMessage(), m_db.tbSKey.errorCode()};
    return {};
}

Result<QList<SearchedKeys::Entry>> SearchedKeys::entries()
{
    Table &t = m_db.tbSKey;
    if (!t.setIndex(QString()))
        return t.failure();
    QList<Entry> list;
    for (bool ok = t.first(); ok && !t.eof(); ok = t.next())
        list.append({t.asString(kCTM), t.asString(kZPRAVA), t.asString(kALARM) == alarmText(true)});
    if (t.readFailed())
        return t.failure();
    return list;
}

QString SearchedKeys::entryLine(const Entry &entry)
{
    return entry.ctm + QLatin1Char(' ') + alarmText(entry.active) + QLatin1Char(' ') +
           entry.message.leftJustified(kMessageWidth) + QLatin1Char(' ') + keyColumnText(entry.ctm);
}

Result<bool> SearchedKeys::find(const QString &ctm)
{
    Table &t = m_db.tbSKey;
    if (!t.setIndex(QString()))
        return t.failure();
    const bool found = t.findKey({ctm});
    if (!found && t.readFailed())
        return t.failure();
    return found;
}

Result<void> SearchedKeys::add(const QString &ctm, const QString &message, bool active)
{
    const Result<bool> there = find(ctm);
    if (!there)
        return there.failure();
    if (*there)
        return Failure{QStringLiteral("Duplicitní identifikační klíč")};
    Table &t = m_db.tbSKey;
    if (!t.append())
        return t.failure();
    t.setString(kCTM, ctm);
    t.setString(kZPRAVA, message);
    t.setString(kALARM, alarmText(active));
    if (!t.post()) {
        const Failure why = t.failure();
        t.cancel();
        return why;
    }
    return {};
}

Result<void> SearchedKeys::remove(const QString &ctm)
{
    const Result<bool> there = find(ctm);
    if (!there)
        return there.failure();
    if (!*there)
        return Failure{QStringLiteral("Klíč %1 není v seznamu hledaných klíčů").arg(ctm)};
    if (!m_db.tbSKey.remove())
        return m_db.tbSKey.failure();
    return {};
}

} // namespace vardex
