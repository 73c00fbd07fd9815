#include "admin/UnitDatabase.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

struct Site
{
    Site() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }

    // Adds a unit of the type with the address and leaves it current.
    void add(quint8 type, const QString &address)
    {
        ASSERT_TRUE(units.addUnit(type));
        ASSERT_TRUE(db.tbUni.edit());
        db.tbUni.setString(QStringLiteral("ADRESA"), address);
        ASSERT_TRUE(db.tbUni.post());
    }
    QString field(const char *name) const { return db.tbUni.asString(QLatin1String(name)); }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    UnitDatabase units{db};
};

} // namespace

// The defaults themselves are the catalogue's, tested there.
TEST(UnitDatabase, ANewUnitOfEachTypeIsPostedWithoutAddressAndNotWhileEditing)
{
    Site s;
    int address = 0;
    for (quint8 type : UnitDatabase::newUnitTypes()) {
        ASSERT_TRUE(s.units.addUnit(type)) << int(type);
        EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
        EXPECT_TRUE(s.field("ADRESA").isEmpty());
        EXPECT_EQ(s.db.tbUniGetTyp(), type);
        EXPECT_EQ(s.field("NAZEV"), NazevTypu(type));
        // Only one unit may wait for its address at a time.
        ASSERT_TRUE(s.db.tbUni.edit());
        s.db.tbUni.setString(QStringLiteral("ADRESA"), QString::number(++address));
        ASSERT_TRUE(s.db.tbUni.post());
    }
    ASSERT_TRUE(s.db.tbUni.edit());
    EXPECT_FALSE(s.units.addUnit(1));
    EXPECT_EQ(s.db.tbUni.recordCount(), 6);
    EXPECT_TRUE(s.messages.shown().isEmpty());
}

TEST(UnitDatabase, ADuplicateAddressIsRefusedAndTheRecordStaysEdited)
{
    Site s;
    s.add(1, QStringLiteral("01"));
    ASSERT_TRUE(s.units.addUnit(3));
    Table &t = s.db.tbUni;
    ASSERT_TRUE(t.edit());
    t.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
    EXPECT_FALSE(s.units.storeAlarm(0x0F));
    EXPECT_EQ(s.messages.texts(), QStringList{QStringLiteral("Duplicitní adresa jednotky")});
    EXPECT_EQ(t.state(), TableState::Edit);
    t.setString(QStringLiteral("ADRESA"), QStringLiteral("02"));
    EXPECT_TRUE(t.post());
    EXPECT_EQ(s.field("ALARM"), QStringLiteral("0F"));
}

// Addresses are one key space whatever the operator types: stored as two
// upper-case digits, "0a" and "0A" are the same unit, and only one unit may
// lack its address; types are stored and compared by value.
TEST(UnitDatabase, AddressesAndTypesAreStoredByValue)
{
    Site s;
    s.add(1, QStringLiteral("a"));
    EXPECT_EQ(s.field("ADRESA"), QStringLiteral("0A"));
    const struct
    {
        const char *typed;
        const char *stored; // empty: refused
        const char *message;
    } cases[] = {
        {"0a", "", "Duplicitní adresa jednotky"},
        {"1f", "1F", ""},
        {"xy", "", "Chybná adresa jednotky „xy“: adresa jsou dvě šestnáctkové číslice (00 až FF)"},
        {" 7", "07", ""},
    };
    Table &t = s.db.tbUni;
    for (const auto &c : cases) {
        s.messages.clear();
        ASSERT_TRUE(s.units.addUnit(1)) << c.typed;
        ASSERT_TRUE(t.edit());
        t.setString(QStringLiteral("ADRESA"), QLatin1String(c.typed));
        EXPECT_EQ(t.post(), *c.stored != 0) << c.typed;
        EXPECT_EQ(s.messages.texts(),
                  *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{})
            << c.typed;
        if (*c.stored) {
            EXPECT_EQ(s.field("ADRESA"), QLatin1String(c.stored));
        }
        t.cancel();
        // The unit still without an address keeps a second one out.
        s.messages.clear();
        EXPECT_EQ(s.units.addUnit(3), *c.stored != 0) << c.typed;
        if (!*c.stored) {
            EXPECT_EQ(s.messages.texts(),
                      QStringList{QStringLiteral("Duplicitní adresa jednotky")});
        }
        t.cancel();
        ASSERT_TRUE(t.findKey({QVariant()}));
        ASSERT_TRUE(t.remove());
    }
    ASSERT_TRUE(t.edit());
    t.setString(QStringLiteral("TYP"), QStringLiteral("2"));
    ASSERT_TRUE(t.post());
    EXPECT_EQ(s.field("TYP"), QStringLiteral("02"));
    s.db.VsechnyJednotkyTypu(QStringLiteral("02"));
    EXPECT_EQ(s.db.selection().count(), 1);
}
