#include "admin/KeyDatabase.h"

#include "accessdata/TDB0DM.h"
#include "accessdata/TableTextDialogs.h"
#include "admin/PendingEdit.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"

namespace vardex {

namespace {

const QString kCtm = QStringLiteral("CTM");
const QString kFileName = QStringLiteral("KLICE.SDF");

// The distinct non-empty values of `field`, in the table's order.
QStringList distinctValues(Table &table, const QString &field)
{
    QStringList values;
    if (!table.isOpen())
        return values;
    const Bookmark at = table.bookmark();
    for (bool more = table.first(); more && !table.eof(); more = table.next()) {
        const QString value = table.asString(field);
        if (!value.isEmpty() && !values.contains(value))
            values.append(value);
        if (table.eof())
            break;
    }
    if (at != 0)
        table.gotoBookmark(at);
    return values;
}

} // namespace

KeyDatabase::KeyDatabase(TDB0DM &db, TVXDM &vx, FileChooser &files)
    : m_db(db), m_vx(vx), m_files(files)
{
}

Table &KeyDatabase::keys()
{
    return m_db.tbKey;
}

OperatorMessages &KeyDatabase::messages()
{
    return m_db.messages();
}

KeyPickLists KeyDatabase::pickLists()
{
    return {distinctValues(m_vx.tbPrs, QStringLiteral("PRACOVISTE")),
            distinctValues(m_vx.tbAcc, QStringLiteral("OPRAVNENI")),
            distinctValues(m_vx.tbDch, QStringLiteral("ROZPIS"))};
}

void KeyDatabase::search(const QString &text)
{
    m_db.tbKeyApproxName(text);
}

ReadKey KeyDatabase::readKey()
{
    ReadKey result;
    KeyBytes key{};
    if (!m_vx.ReadIdKeyTM(key))
        return result;
    const TableState state = keys().state();
    result.obtained = true;
    result.text = keyToText(key);
    result.editing = state == TableState::Edit || state == TableState::Insert;
    if (!result.editing)
        result.unknown = !showReadKey(result.text);
    return result;
}

bool KeyDatabase::storeReadKey(const QString &text)
{
    Table &t = keys();
    if (t.state() != TableState::Edit && t.state() != TableState::Insert)
        return false;
    return t.setString(kCtm, text);
}

bool KeyDatabase::showReadKey(const QString &text)
{
    Table &t = keys();
    // The lookup goes through the key-number index; the operator's order
    // (by name after a search) is put back and the cursor placed on the
    // holder in it.
    const QString index = t.indexName();
    const QString fields = t.orderFields();
    const bool byFields = !fields.isEmpty() && index.isEmpty() && fields != kCtm;
    const Bookmark before = t.bookmark();
    const bool found = m_db.tbKeyExactCTM(text);
    const Bookmark holder = t.bookmark();
    if (byFields)
        t.setOrderFields(fields);
    else
        t.setIndex(index);
    t.gotoBookmark(found ? holder : before);
    return found;
}

void KeyDatabase::tellUnknownKey()
{
    messages().warning(QStringLiteral("Neznámý klíč!"));
}

bool KeyDatabase::exportKeys()
{
    if (!postPendingEdit(keys(), messages()))
        return false;
    return exportTableWithDialog(keys(), m_files, messages(), kFileName);
}

bool KeyDatabase::importKeys()
{
    if (!postPendingEdit(keys(), messages()))
        return false;
    const TextImportResult result = importTableWithDialog(keys(), m_files, messages(), kFileName);
    return result.ok;
}

} // namespace vardex
