#include "accessdata/UnitCatalogue.h"
#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

UnitObjects defaultUnit(quint8 type, quint8 rele = 0)
{
    UnitObjects u;
    u.type = type;
    u.rele = rele;
    u.name = NazevTypu(type);
    const auto names = defaultObjectNames(type);
    for (size_t i = 0; i < 8; ++i)
        u.inputs[i] = names[8 + i];
    return u;
}

} // namespace

TEST(UnitCatalogue, TypeNamesAndCodesMatchExactlyBlanksIncluded)
{
    EXPECT_EQ(NazevTypu(5), QStringLiteral("neznámý typ"));
    for (quint8 code : {0, 1, 2, 3, 4, 8, 9}) {
        EXPECT_EQ(NazevTypu(code).size(), 11);
        EXPECT_EQ(KodTypu(NazevTypu(code)), code);
    }
    EXPECT_EQ(KodTypu(QStringLiteral("přístupová")), 0);
    EXPECT_EQ(KodTypu(QStringLiteral("Přístupová ")), 0);
}

TEST(UnitCatalogue, ObjectByResultCodeFollowsTheTypesWiring)
{
    struct Case
    {
        quint8 type, res, object;
    };
    const Case cases[] = {
        {1, 0x00, 0x00},     {1, 0x13, 0x01},     {3, 0x07, 0x03},        {8, 0x3B, 0x03},
        {1, 0x0C, 0x14},     {1, 0xFF, 0x17},     {2, 0x07, 0x00},        {2, 0x08, 0x00},
        {2, 0x09, 0x11},     {2, 0x0F, 0x17},     {4, 0x03, 0x01},        {4, 0x04, NoObject},
        {9, 0x07, NoObject}, {9, 0x0A, 0x00},     {4, 0x0D, 0x01},        {4, 0x0E, 0x16},
        {0, 0x00, NoObject}, {5, 0x08, NoObject}, {0x10, 0x00, NoObject},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SnimacByTypeResult(c.type, c.res), c.object)
            << "type " << int(c.type) << " res " << int(c.res);
}

TEST(UnitCatalogue, ObjectListsPerTypeSkipUnusedInputs)
{
    struct Case
    {
        const char *what;
        UnitObjects unit;
        QStringList possible, main, auxiliary;
    };
    UnitObjects renamed = defaultUnit(1);
    renamed.inputs[5] = QStringLiteral("Okno kanceláře");
    renamed.inputs[1] = QStringLiteral("* mimo provoz");
    UnitObjects blankInput = defaultUnit(4);
    blankInput.inputs[6] = QString();
    blankInput.inputs[7] = QStringLiteral("   ");
    UnitObjects attendanceZeroUnused = defaultUnit(2);
    attendanceZeroUnused.inputs[0] = QStringLiteral("* nic");
    attendanceZeroUnused.inputs[3] = QStringLiteral("Čidlo");
    UnitObjects unknownType = defaultUnit(1);
    unknownType.type = 5;

    const Case cases[] = {
        {"access, input 5 named, input 1 out of use",
         renamed,
         {"00 přístupová , Dveře 0", "02 přístupová , Dveře 2", "03 přístupová , Dveře 3",
          "15 přístupová , Okno kanceláře"},
         {"00 Dveře 0", "02 Dveře 2", "03 Dveře 3"},
         {"15 Okno kanceláře"}},
        {"attendance without relay",
         defaultUnit(2),
         {"00 docházková , Dveře 0"},
         {},
         {"10 Dveře 0"}},
        {"attendance with relay",
         defaultUnit(2, 1),
         {"00 docházková , Dveře 0"},
         {"00 Dveře 0"},
         {}},
        {"attendance, input 0 out of use",
         attendanceZeroUnused,
         {"00 docházková , * nic", "13 docházková , Čidlo"},
         {},
         {"13 Čidlo"}},
        {"barrier, blank names count as unused",
         blankInput,
         {"00 závorová   , Závora 0 ", "01 závorová   , Závora 1 "},
         {"00 Závora 0 ", "01 Závora 1 "},
         {}},
        {"unknown type", unknownType, {}, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(possibleObjects(c.unit), c.possible);
        EXPECT_EQ(mainObjects(c.unit), c.main);
        EXPECT_EQ(auxiliaryObjects(c.unit), c.auxiliary);
    }
}

TEST(UnitCatalogue, LongEntriesAreCutToTheirLimits)
{
    UnitObjects u = defaultUnit(3);
    u.name = QStringLiteral("Sklad materiálu");
    u.inputs[0] = QStringLiteral("Vrata k vykládací rampě");
    u.inputs[4] = QStringLiteral("Pohybové čidlo haly");
    EXPECT_EQ(possibleObjects(u).first(),
              QStringLiteral("00 Sklad materiálu, Vrata k vykládací ra"));
    EXPECT_EQ(possibleObjects(u).first().size(), 40);
    EXPECT_EQ(mainObjects(u).first(), QStringLiteral("00 Vrata k vyklád"));
    EXPECT_EQ(auxiliaryObjects(u).first(), QStringLiteral("14 Pohybové čidlo"));
}

TEST(UnitCatalogue, ANewUnitGetsTheDefaultsOfItsType)
{
    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db(dir.path(), messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));

    ASSERT_TRUE(db.tbUniDefaultByType(1));
    Table &u = db.tbUni;
    EXPECT_EQ(u.asString(QStringLiteral("NAZEV")), QStringLiteral("přístupová "));
    EXPECT_EQ(u.asString(QStringLiteral("KONFIG")),
              QStringLiteral("51000000000000000000000000000000"));
    EXPECT_EQ(u.asString(QStringLiteral("ALARM")), QStringLiteral("FF"));
    EXPECT_EQ(u.asString(QStringLiteral("TYP")), QStringLiteral("01"));
    EXPECT_TRUE(u.asString(QStringLiteral("ADRESA")).isEmpty());
    EXPECT_EQ(db.tbUniHlavniObjekty().size(), 4);
    u.edit();
    u.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
    ASSERT_TRUE(u.post());

    // Type 5 has no defaults of its own: only the common values.
    ASSERT_TRUE(db.tbUniDefaultByType(5));
    EXPECT_TRUE(u.asString(QStringLiteral("NAZEV")).isEmpty());
    EXPECT_TRUE(u.asString(QStringLiteral("SnimIN0")).isEmpty());
    EXPECT_EQ(u.asString(QStringLiteral("KONFIG")), QString(32, QLatin1Char('0')));
    EXPECT_EQ(u.asString(QStringLiteral("TYP")), QStringLiteral("05"));
    EXPECT_EQ(u.asString(QStringLiteral("ALARM")), QStringLiteral("FF"));
    EXPECT_TRUE(db.tbUniMozneObjekty().isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty());
}
