#include "admin/PermissionGroups.h"
#include "AdminSite.h"
#include "admin/PermissionAttribute.h"
#include "admin/PermissionGroupEditor.h"

using namespace vardex;
using namespace vardex::testing;

TEST(PermissionAttribute, BuiltFromTheDialogsBoxes)
{
    using F = AttributeForm;
    const std::optional<KeyKind> none;
    const struct
    {
        F form;
        AttributeChoice choice;
        quint8 previous;
        quint8 attribute;
    } cases[] = {
        {F::Barrier, {{true, true, false, false}, KeyKind::Vehicle}, 0, 0x0F},
        {F::Barrier, {{false, true, false, false}, KeyKind::Employee}, 0, 0x06},
        {F::Barrier, {{true, false, true, true}, none}, 0x08, 0x09}, // no kind: "10" kept
        {F::Doors, {{true, false, false, true}, KeyKind::Vehicle}, 0xF0, 0x09},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(attributeOf(c.form, c.choice, c.previous), c.attribute) << int(c.attribute);
        const AttributeChoice back = attributeChoice(c.form, c.attribute);
        EXPECT_EQ(attributeOf(c.form, back, c.attribute), c.attribute);
    }
    EXPECT_EQ(attributeChoice(F::Barrier, 0x08).keyKind, none) << "10 selects no kind";
    for (quint8 type : {UnitType::Access, UnitType::Attendance, quint8(0)})
        EXPECT_EQ(attributeForm(type), F::None);
}

namespace {

// Units 01 attendance, 03 access, 05 barrier, 07 expander; schedules open.
struct GroupSite : AdminSite
{
    GroupSite()
    {
        EXPECT_TRUE(vx.tbAcc.open() && vx.tbCas.open());
        for (const auto &[type, address] :
             {std::pair{UnitType::Attendance, "01"}, std::pair{UnitType::Access, "03"},
              std::pair{UnitType::Barrier, "05"}, std::pair{UnitType::Expander, "07"}})
            addUnit(type, QLatin1String(address));
    }
    Table &groups = vx.tbAcc;
};

} // namespace

TEST(PermissionGroupEditor, NewGroupStartsWithTheCurrentUnitAndChoicesLeaveOutAttendance)
{
    GroupSite s;
    ASSERT_TRUE(s.db.tbUniExactAddr(u"05"_s));
    PermissionGroupEditor e(s.db, s.vx);
    ASSERT_TRUE(s.groups.insert());
    e.showGroup();
    EXPECT_EQ(s.groups.asString(u"OPRAVNENI"_s), u"nové"_s);
    EXPECT_EQ(e.cells()[0].unit, u"05 závorová   "_s);
    EXPECT_EQ(e.cells()[0].attribute, u"00"_s);
    EXPECT_TRUE(e.cells()[0].schedule.isEmpty() && e.cells()[1].isEmpty());
    EXPECT_EQ(*e.unitChoices(),
              (QStringList{u"03 přístupová "_s, u"05 závorová   "_s, u"07 expander   "_s}));
    EXPECT_EQ(s.db.tbUni.asString(u"ADRESA"_s), u"05"_s) << "the unit table stays";
}

// Rows 1 and 3 filled, row 2 empty: stored packed, each with its own
// attribute and schedule; the attribute step by unit type.
TEST(PermissionGroupEditor, ConfirmingPacksTheRows)
{
    GroupSite s;
    PermissionGroupEditor e(s.db, s.vx);
    ASSERT_TRUE(s.groups.insert());
    e.showGroup();
    ASSERT_TRUE(e.pickUnit(0, u"07 expander   "_s));
    ASSERT_TRUE(e.pickUnit(2, u"03 přístupová "_s));
    EXPECT_FALSE(e.pickUnit(1, u"07 expander   "_s));
    EXPECT_EQ(s.messages.texts(), QStringList{u"Jednotka již byla použita"_s});

    const std::optional<AttributeRequest> doors = e.attributeStep(0);
    ASSERT_TRUE(doors);
    EXPECT_EQ(doors->form, AttributeForm::Doors);
    EXPECT_EQ(doors->inputNames[3], u"Dveře 3"_s);
    e.setAttribute(0, 0x05);
    e.setAttribute(2, 0x0F);
    EXPECT_FALSE(e.attributeStep(2)) << "an access unit needs no dialog";
    EXPECT_EQ(e.cells()[2].attribute, u"00"_s);
    e.setSchedule(2, u"Noc"_s);
    ASSERT_TRUE(e.confirm());

    EXPECT_EQ(s.groups.asString(u"P_AHW"_s), u"0703"_s + QString(60, u'-'));
    EXPECT_EQ(s.groups.asString(u"P_MSK"_s), u"0500"_s + QString(60, u'0'));
    EXPECT_EQ(tbAccGetR_Field(s.groups, 2), u"Noc"_s);
    EXPECT_TRUE(tbAccGetR_Field(s.groups, 1).isEmpty() && tbAccGetR_Field(s.groups, 3).isEmpty());
    EXPECT_EQ(e.cells()[1].unit, u"03 přístupová "_s);
}

// A unit removed from the unit table: shown with "?", told when located.
TEST(PermissionGroupEditor, AnUnknownUnitIsShownWithAQuestionMark)
{
    GroupSite s;
    PermissionGroupEditor e(s.db, s.vx);
    ASSERT_TRUE(s.groups.insert());
    ASSERT_TRUE(putPermissionRows(s.groups, {{u"09"_s, 0x03, u"Den"_s}}));
    e.showGroup();
    EXPECT_EQ(e.cells()[0].unit, u"09 ?"_s);
    EXPECT_FALSE(e.attributeStep(0));
    EXPECT_EQ(s.messages.texts(), QStringList{u"Neznámá jednotka: 09"_s});
    EXPECT_EQ(e.cells()[0].attribute, u"03"_s);
}
