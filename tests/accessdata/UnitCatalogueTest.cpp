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

// A unit of the type with the default inputs of its own type (or of
// `namesOf`), some of them renamed.
UnitObjects unit(quint8 type, quint8 rele, const QList<std::pair<int, const char *>> &renamed,
                 quint8 namesOf = 0)
{
    UnitObjects u;
    u.type = type;
    u.rele = rele;
    u.name = NazevTypu(namesOf ? namesOf : type);
    const auto names = defaultObjectNames(namesOf ? namesOf : type);
    for (size_t i = 0; i < 8; ++i)
        u.inputs[i] = names[8 + i];
    for (const auto &[input, name] : renamed)
        u.inputs[size_t(input)] = QString::fromUtf8(name);
    return u;
}

} // namespace

TEST(UnitCatalogue, TypeNamesAndCodesMatchExactlyBlanksIncluded)
{
    EXPECT_EQ(NazevTypu(5), "neznámý typ");
    for (quint8 code : {0, 1, 2, 3, 4, 8, 9}) {
        EXPECT_EQ(NazevTypu(code).size(), 11);
        EXPECT_EQ(KodTypu(NazevTypu(code)), code);
    }
    EXPECT_EQ(KodTypu("přístupová"), 0);
    EXPECT_EQ(KodTypu("Přístupová "), 0);
}

TEST(UnitCatalogue, ObjectByResultCodeFollowsTheTypesWiring)
{
    // Type, result code, object.
    const std::tuple<quint8, quint8, quint8> cases[] = {
        {1, 0x00, 0x00},     {1, 0x13, 0x01},     {3, 0x07, 0x03},        {8, 0x3B, 0x03},
        {1, 0x0C, 0x14},     {1, 0xFF, 0x17},     {2, 0x07, 0x00},        {2, 0x08, 0x00},
        {2, 0x09, 0x11},     {2, 0x0F, 0x17},     {4, 0x03, 0x01},        {4, 0x04, NoObject},
        {9, 0x07, NoObject}, {9, 0x0A, 0x00},     {4, 0x0D, 0x01},        {4, 0x0E, 0x16},
        {0, 0x00, NoObject}, {5, 0x08, NoObject}, {0x10, 0x00, NoObject},
    };
    for (const auto &[type, res, object] : cases)
        EXPECT_EQ(SnimacByTypeResult(type, res), object)
            << "type " << int(type) << " res " << int(res);
}

// Possible, main and auxiliary objects, each list joined with "|".
TEST(UnitCatalogue, ObjectListsPerTypeSkipUnusedInputs)
{
    const std::tuple<const char *, UnitObjects, const char *, const char *, const char *> cases[] =
        {
            {"access, input 5 named, input 1 out of use",
             unit(1, 0, {{5, "Okno kanceláře"}, {1, "* mimo provoz"}}),
             "00 přístupová , Dveře 0|02 přístupová , Dveře 2|03 přístupová , Dveře 3|"
             "15 přístupová , Okno kanceláře",
             "00 Dveře 0|02 Dveře 2|03 Dveře 3", "15 Okno kanceláře"},
            {"attendance without relay", unit(2, 0, {}), "00 docházková , Dveře 0", "",
             "10 Dveře 0"},
            {"attendance with relay", unit(2, 1, {}), "00 docházková , Dveře 0", "00 Dveře 0", ""},
            {"attendance, input 0 out of use", unit(2, 0, {{0, "* nic"}, {3, "Čidlo"}}),
             "00 docházková , * nic|13 docházková , Čidlo", "", "13 Čidlo"},
            {"barrier, blank names count as unused", unit(4, 0, {{6, ""}, {7, "   "}}),
             "00 závorová   , Závora 0 |01 závorová   , Závora 1 ", "00 Závora 0 |01 Závora 1 ",
             ""},
            {"unknown type", unit(5, 0, {}, 1), "", "", ""},
        };
    for (const auto &[what, unit, possible, main, auxiliary] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(possibleObjects(unit).join(u'|'), possible);
        EXPECT_EQ(mainObjects(unit).join(u'|'), main);
        EXPECT_EQ(auxiliaryObjects(unit).join(u'|'), auxiliary);
    }
}

TEST(UnitCatalogue, LongEntriesAreCutToTheirLimits)
{
    UnitObjects u = unit(3, 0, {{0, "Vrata k vykládací rampě"}, {4, "Pohybové čidlo haly"}});
    u.name = QStringLiteral("Sklad materiálu");
    EXPECT_EQ(possibleObjects(u).first(), "00 Sklad materiálu, Vrata k vykládací ra"); // 40
    EXPECT_EQ(mainObjects(u).first(), "00 Vrata k vyklád");
    EXPECT_EQ(auxiliaryObjects(u).first(), "14 Pohybové čidlo");
}

TEST(UnitCatalogue, ANewUnitGetsTheDefaultsOfItsType)
{
    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db(dir.path(), messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    Table &u = db.tbUni;
    auto fields = [&u] {
        QStringList values;
        for (const char *f : {"NAZEV", "KONFIG", "ALARM", "TYP", "ADRESA", "SnimIN0"})
            values << u.asString(f);
        return values.join(u'|');
    };

    ASSERT_TRUE(db.tbUniDefaultByType(1));
    EXPECT_EQ(fields(), "přístupová |51000000000000000000000000000000|FF|01||Dveře 0");
    EXPECT_EQ(db.tbUniHlavniObjekty().size(), 4);
    ASSERT_TRUE(u.edit());
    u.setString("ADRESA", "01");
    ASSERT_TRUE(u.post());

    // Type 5 has no defaults of its own: only the common values.
    ASSERT_TRUE(db.tbUniDefaultByType(5));
    EXPECT_EQ(fields(), "|" + QString(32, u'0') + "|FF|05||");
    EXPECT_TRUE(db.tbUniMozneObjekty().isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty());
}
