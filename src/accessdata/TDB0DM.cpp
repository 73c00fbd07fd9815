#include "accessdata/TDB0DM.h"

#include "accessdata/AccessSchemas.h"
#include "platform/Clock.h"
#include "platform/OperatorMessages.h"
#include "tables/Transaction.h"
#include "text/HexText.h"
#include "text/KeyNumber.h"

namespace vardex {

namespace {

const QString kCTM = QStringLiteral("CTM");
const QString kADRESA = QStringLiteral("ADRESA");
const QString kTYP = QStringLiteral("TYP");

} // namespace

TDB0DM::TDB0DM(const QString &workDir, OperatorMessages &messages, Clock &clock, QObject *parent)
    : QObject(parent), tbKey(wkvrKeySchema(), workDir), tbUni(wkvrUniSchema(), workDir),
      tbEvents(eventsSchema(), workDir), tbSKey(wkvrKeyXSchema(), workDir),
      m_keyNames(wkvrKeySchema(), workDir), m_unitNames(wkvrUniSchema(), workDir),
      m_searchedKeys(wkvrKeyXSchema(), workDir), m_messages(messages), m_clock(clock)
{
    KomHwj.TrySetParms(workDir);
    installPostErrorHandlers();
    // A unit edited in its window is read afresh by the next lookup.
    connect(&tbUni, &Table::contentChanged, this, [this] { m_unitNames.refresh(); });
}

TDB0DM::~TDB0DM()
{
    CloseMinimalDatabases();
}

void TDB0DM::installPostErrorHandlers()
{
    // A key number is stored only as a unit reads it (14 upper-case hex
    // digits, never the empty key), or it could never match a read key.
    // A refused number goes to the post-error handler like any refused
    // post, so the record stays in edit state.
    const auto keyNumberRule = [](Table &t) {
        if (t.isNull(kCTM))
            return true; // the required-field check reports it
        const Result<QString> key = holderKeyText(t.asString(kCTM));
        if (key)
            return t.asString(kCTM) == *key || t.setString(kCTM, *key);
        if (t.onPostError)
            t.onPostError(t, key.code(), key.error());
        return false;
    };
    tbKey.beforePost = keyNumberRule;
    tbSKey.beforePost = keyNumberRule;
    tbUni.beforePost = [this](Table &t) { return unitAddressRule(t); };
    // Key holders: the engine's own message; the record stays in edit state.
    tbKey.onPostError = [this](Table &, int, const QString &message) {
        m_messages.error(message);
        return PostErrorAction::Abort;
    };
    tbUni.onPostError = [this](Table &, int code, const QString &message) {
        m_messages.error(code == PostError::KeyViolation
                             ? QStringLiteral("Duplicitní adresa jednotky")
                             : message);
        return PostErrorAction::Abort;
    };
    tbSKey.onPostError = [this](Table &t, int code, const QString &message) {
        if (code == PostError::KeyViolation) {
            m_messages.error(QStringLiteral("Duplicitní identifikační klíč"));
            t.cancel();
        } else if (code == PostError::RequiredField) {
            m_messages.error(QStringLiteral("Musíte vyplnit všechny položky"));
        } else {
            m_messages.error(message);
        }
        return PostErrorAction::Abort;
    };
}

// Unit addresses are one key space: "0a", "A" and "0A" are the same unit,
// so every address is stored as two upper-case hex digits (the type too,
// which is compared by value), and only one unit may still lack its
// address (the unique index would admit any number of them).
bool TDB0DM::unitAddressRule(Table &t)
{
    auto refuse = [&t](int code, const QString &message) {
        if (t.onPostError)
            t.onPostError(t, code, message);
        return false;
    };
    if (!t.isNull(kTYP)) {
        const std::optional<quint8> type = parseHexByte(t.asString(kTYP).trimmed());
        if (!type)
            return refuse(PostError::EngineError,
                          QStringLiteral("Chybný typ jednotky „%1“").arg(t.asString(kTYP)));
        if (t.asString(kTYP) != byteToHex(*type))
            t.setString(kTYP, byteToHex(*type));
    }
    if (t.isNull(kADRESA) || t.asString(kADRESA).trimmed().isEmpty()) {
        // Another unit still without an address would be a second one.
        const bool another =
            m_unitNames.isOpen() && m_unitNames.findKey({QVariant()}) &&
            (t.state() == TableState::Insert || m_unitNames.bookmark() != t.bookmark());
        return another
                   ? refuse(PostError::KeyViolation, QStringLiteral("Duplicitní adresa jednotky"))
                   : true;
    }
    const std::optional<quint8> address = parseHexByte(t.asString(kADRESA).trimmed());
    if (!address)
        return refuse(PostError::EngineError,
                      QStringLiteral("Chybná adresa jednotky „%1“: adresa jsou dvě šestnáctkové "
                                     "číslice (00 až FF)")
                          .arg(t.asString(kADRESA)));
    if (t.asString(kADRESA) != byteToHex(*address))
        t.setString(kADRESA, byteToHex(*address));
    return true;
}

bool TDB0DM::OpenMinimalDatabases(QString *error)
{
    for (Table *t : {&tbKey, &tbUni, &tbEvents, &tbSKey}) {
        if (t->isOpen())
            continue;
        if (!t->open()) {
            if (error)
                *error = t->errorMessage();
            return false;
        }
    }
    tbKey.setIndex(QString());
    tbUni.setIndex(QString());
    for (Table *t : {&m_keyNames, &m_unitNames, &m_searchedKeys}) {
        if (!t->isOpen() && !t->open()) {
            if (error)
                *error = t->errorMessage();
            return false;
        }
    }
    return true;
}

void TDB0DM::CloseMinimalDatabases()
{
    for (Table *t :
         {&m_keyNames, &m_unitNames, &m_searchedKeys, &tbKey, &tbUni, &tbEvents, &tbSKey})
        t->close();
}

void TDB0DM::DatumDnes()
{
    const QDate today = m_clock.today();
    m_dnes = Date{today.year(), today.month(), today.day()};
}

// --- key holders ---------------------------------------------------------

bool TDB0DM::tbKeyExactCTM(const QString &ctm)
{
    tbKey.setIndex(QString());
    return tbKey.findKey({ctm});
}

QString TDB0DM::tbKeyNameOfKey(const QString &ctm)
{
    if (ctm == emptyKeyText())
        return QString();
    // Looked up on its own cursor, in key-number order (the primary index).
    if (m_keyNames.isOpen() && m_keyNames.findKey({ctm}))
        return m_keyNames.asString(QStringLiteral("JMENO"));
    return QStringLiteral("Klíč: ") + ctm;
}

void TDB0DM::tbKeyApproxName(const QString &name)
{
    if (tbKey.orderFields() != QLatin1String("JMENO"))
        tbKey.setOrderFields(QStringLiteral("JMENO"));
    tbKey.findNearest({name});
}

QString TDB0DM::tbKeyJmenoTituly(int width) const
{
    const QString ptit = tbKey.asString(QStringLiteral("PTIT"));
    const QString ztit = tbKey.asString(QStringLiteral("ZTIT"));
    QString text;
    if (!ptit.isEmpty())
        text = ptit + QLatin1Char(' ');
    text += tbKey.asString(QStringLiteral("JMENO"));
    if (!ztit.isEmpty())
        text += QStringLiteral(", ") + ztit;
    if (width <= 0)
        return text;
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

// --- units ---------------------------------------------------------------

bool TDB0DM::tbUniExactAddr(const QString &addr)
{
    if (addr.isEmpty())
        return false;
    tbUni.setIndex(QString());
    if (tbUni.findKey({addr}))
        return true;
    m_messages.information(QStringLiteral("Neznámá jednotka: ") + addr);
    return false;
}

QString TDB0DM::tbUniNameOf(const QString &addr)
{
    return unitAtOrSay(addr) ? m_unitNames.asString(QStringLiteral("NAZEV")) : QStringLiteral("?");
}

quint8 TDB0DM::tbUniGetAddr() const
{
    return hexToByte(tbUni.asString(kADRESA));
}

quint8 TDB0DM::tbUniGetTyp() const
{
    return hexToByte(tbUni.asString(kTYP));
}

quint8 TDB0DM::tbUniGetAlarm() const
{
    return hexToByte(tbUni.asString(QStringLiteral("ALARM")));
}

quint8 TDB0DM::tbUniGetRele() const
{
    return hexToByte(tbUni.asString(QStringLiteral("RELE")));
}

QByteArray TDB0DM::tbUniGetKonfig() const
{
    return hexToBytes(tbUni.asString(QStringLiteral("KONFIG")), 16);
}

bool TDB0DM::tbUniPutTyp(quint8 value)
{
    return tbUni.setString(kTYP, byteToHex(value));
}

bool TDB0DM::tbUniPutAlarm(quint8 value)
{
    return tbUni.setString(QStringLiteral("ALARM"), byteToHex(value));
}

bool TDB0DM::tbUniPutRele(quint8 value)
{
    return tbUni.setString(QStringLiteral("RELE"), byteToHex(value));
}

bool TDB0DM::tbUniPutKonfig(const QByteArray &konfig)
{
    if (!tbUni.edit())
        return false;
    tbUni.setString(QStringLiteral("KONFIG"), bytesToHex(konfig.left(16)));
    return tbUni.post();
}

UnitEvaluationData TDB0DM::tbUniDataProOhodnoceni() const
{
    return unitEvaluationData(tbUni);
}

UnitEvaluationData unitEvaluationData(const Table &unit)
{
    return {hexToByte(unit.asString(kTYP)), hexToByte(unit.asString(QStringLiteral("ALARM"))),
            hexToByte(unit.asString(QStringLiteral("RELE"))),
            hexToByte(unit.asString(QStringLiteral("POUZITI")))};
}

bool TDB0DM::tbUniExistujiDochazkove()
{
    const Bookmark here = tbUni.bookmark();
    bool found = false;
    for (bool ok = tbUni.first(); ok && !tbUni.eof() && !found; ok = tbUni.next())
        found = hexToByte(tbUni.asString(kTYP)) == 2;
    tbUni.gotoBookmark(here);
    return found;
}

bool TDB0DM::tbUniExistujiVnejsi()
{
    const Bookmark here = tbUni.bookmark();
    bool found = false;
    for (bool ok = tbUni.first(); ok && !tbUni.eof() && !found; ok = tbUni.next())
        found = hexToByte(tbUni.asString(kTYP)) != 2 &&
                hexToByte(tbUni.asString(QStringLiteral("POUZITI"))) != 0;
    tbUni.gotoBookmark(here);
    return found;
}

// --- unit selection set --------------------------------------------------

template <typename Accept> void TDB0DM::fillSelection(Accept accept)
{
    m_selection.addresses.clear();
    const Bookmark here = tbUni.bookmark();
    const bool any = tbUni.first();
    for (bool ok = any; ok && !tbUni.eof(); ok = tbUni.next())
        if (accept())
            m_selection.addresses.append(tbUni.asString(kADRESA));
    m_selection.cursor = any ? 1 : 0;
    if (here)
        tbUni.gotoBookmark(here);
}

void TDB0DM::VsechnyJednotky()
{
    fillSelection([] { return true; });
}

void TDB0DM::VsechnyJednotkyTypu(const QString &typ)
{
    // By value: "2" and "02" are the same type.
    fillSelection([&] { return hexToByte(tbUni.asString(kTYP)) == hexToByte(typ); });
}

void TDB0DM::ZadnaJednotka()
{
    m_selection.addresses.clear();
    m_selection.cursor = 0;
}

void TDB0DM::GetSelectedUnit()
{
    if (m_selection.addresses.isEmpty())
        return;
    if (m_selection.cursor > m_selection.count() || m_selection.cursor < 1)
        m_selection.cursor = 1;
    m_selection.currentAddress = m_selection.addresses[m_selection.cursor - 1];
    tbUni.setIndex(QString());
    m_selection.currentName = tbUni.findKey({m_selection.currentAddress})
                                  ? tbUni.asString(QStringLiteral("NAZEV"))
                                  : QStringLiteral("#?");
}

void TDB0DM::NextSelectedUnit()
{
    if (m_selection.addresses.isEmpty())
        return;
    m_selection.cursor = m_selection.cursor >= m_selection.count() ? 1 : m_selection.cursor + 1;
    GetSelectedUnit();
}

// --- searched keys -------------------------------------------------------

bool TDB0DM::tbSKeyJeHledany(const QString &ctm)
{
    // Its own cursor: the searched-key list may be open while events come.
    return m_searchedKeys.isOpen() && m_searchedKeys.findKey({ctm}) &&
           m_searchedKeys.asString(QStringLiteral("ALARM")) == QLatin1String("A");
}

QString TDB0DM::tbSKeyZprava() const
{
    return m_searchedKeys.asString(QStringLiteral("ZPRAVA"));
}

bool TDB0DM::setAllAlarms(const QString &value)
{
    // Every record is rewritten; one transaction makes it all-or-nothing:
    // a record that cannot be rewritten, or a read that fails, leaves every
    // alarm as it was.
    Transaction tx(tbSKey);
    if (!tx.active())
        return false;
    for (bool ok = tbSKey.first(); ok && !tbSKey.eof(); ok = tbSKey.next()) {
        if (!tbSKey.edit() || !tbSKey.setString(QStringLiteral("ALARM"), value) ||
            !tbSKey.post()) {
            tbSKey.cancel();
            return false;
        }
    }
    return !tbSKey.readFailed() && tx.commit();
}

bool TDB0DM::tbSKeyZapnoutVse()
{
    return setAllAlarms(QStringLiteral("A"));
}

bool TDB0DM::tbSKeyVypnoutVse()
{
    return setAllAlarms(QStringLiteral("N"));
}

// --- events --------------------------------------------------------------

bool TDB0DM::tbEventsEmptyTable()
{
    tbEvents.close();
    const bool opened = tbEvents.open();
    return opened && tbEvents.empty();
}

} // namespace vardex
