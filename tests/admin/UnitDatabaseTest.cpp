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
    for (quint8 type : UnitDatabase::newUnitTypes()) {
        ASSERT_TRUE(s.units.addUnit(type)) << int(type);
        EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
        EXPECT_TRUE(s.field("ADRESA").isEmpty());
        EXPECT_EQ(s.db.tbUniGetTyp(), type);
        EXPECT_EQ(s.field("NAZEV"), NazevTypu(type));
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
