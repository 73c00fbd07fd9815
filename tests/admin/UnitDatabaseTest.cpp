#include "admin/UnitDatabase.h"
#include "AdminSite.h"

using namespace vardex;
using namespace vardex::testing;

// The defaults themselves are the catalogue's, tested there.
TEST(UnitDatabase, ANewUnitWaitsForItsAddressAndADuplicateAddressKeepsTheRecordEdited)
{
    AdminSite s;
    UnitDatabase units(s.db);
    Table &t = s.db.tbUni;
    int address = 0;
    for (quint8 type : UnitDatabase::newUnitTypes()) {
        ASSERT_TRUE(units.addUnit(type)) << int(type);
        EXPECT_EQ(t.state(), TableState::Browse);
        EXPECT_TRUE(s.unit("ADRESA").isEmpty());
        EXPECT_EQ(s.db.tbUniGetTyp(), type);
        // Only one unit may wait for its address at a time.
        ASSERT_TRUE(t.edit());
        t.setString(u"ADRESA"_s, QString::number(++address));
        ASSERT_TRUE(t.post());
    }
    ASSERT_TRUE(t.edit());
    EXPECT_FALSE(units.addUnit(1)) << "not while a unit is edited";
    EXPECT_EQ(t.recordCount(), 6);
    EXPECT_TRUE(s.messages.shown().isEmpty());

    t.setString(u"ADRESA"_s, u"01"_s);
    EXPECT_FALSE(units.storeAlarm(0x0F));
    EXPECT_EQ(s.messages.texts(), QStringList{u"Duplicitní adresa jednotky"_s});
    EXPECT_EQ(t.state(), TableState::Edit);
    t.setString(u"ADRESA"_s, u"07"_s);
    EXPECT_TRUE(t.post());
    EXPECT_EQ(s.unit("ALARM"), u"0F"_s);
}

// Addresses are one key space whatever the operator types: stored as two
// upper-case digits, "0a" and "0A" are the same unit, and only one unit may
// lack its address; types are stored and compared by value.
TEST(UnitDatabase, AddressesAndTypesAreStoredByValue)
{
    AdminSite s;
    UnitDatabase units(s.db);
    s.addUnit(1, u"a"_s);
    EXPECT_EQ(s.unit("ADRESA"), u"0A"_s);
    const QStringList duplicate{u"Duplicitní adresa jednotky"_s};
    const QString bad =
        u"Chybná adresa jednotky „xy“: adresa jsou dvě šestnáctkové číslice (00 až FF)"_s;
    // typed, stored (empty: refused), messages
    const std::tuple<const char *, const char *, QStringList> cases[] = {
        {"0a", "", duplicate}, {"1f", "1F", {}}, {"xy", "", {bad}}, {" 7", "07", {}}};
    Table &t = s.db.tbUni;
    for (const auto &[typed, stored, messages] : cases) {
        SCOPED_TRACE(typed);
        s.messages.clear();
        ASSERT_TRUE(units.addUnit(1));
        ASSERT_TRUE(t.edit());
        t.setString(u"ADRESA"_s, QLatin1String(typed));
        EXPECT_EQ(t.post(), *stored != 0);
        EXPECT_EQ(s.messages.texts(), messages);
        if (*stored) {
            EXPECT_EQ(s.unit("ADRESA"), QLatin1String(stored));
        }
        t.cancel();
        // The unit still without an address keeps a second one out.
        s.messages.clear();
        EXPECT_EQ(units.addUnit(3), *stored != 0);
        EXPECT_EQ(s.messages.texts(), *stored ? QStringList{} : duplicate);
        t.cancel();
        ASSERT_TRUE(t.findKey({QVariant()}));
        ASSERT_TRUE(t.remove());
    }
    ASSERT_TRUE(t.edit());
    t.setString(u"TYP"_s, u"2"_s);
    ASSERT_TRUE(t.post());
    EXPECT_EQ(s.unit("TYP"), u"02"_s);
    s.db.VsechnyJednotkyTypu(u"02"_s);
    EXPECT_EQ(s.db.selection().count(), 1);
}
