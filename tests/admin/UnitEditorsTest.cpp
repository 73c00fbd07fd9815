#include "admin/UnitEditors.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

QByteArray bytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

TEST(UnitEditors, EachColumnOpensItsEditorOnlyForItsTypes)
{
    using E = UnitEditor;
    struct Case
    {
        const char *field;
        std::vector<quint8> types;
        E editor;
    };
    const Case cases[] = {
        {"ALARM", {0, 1, 2, 3, 5, 6, 7, 8}, E::AlarmMask},
        {"ALARM", {4, 9}, E::None},
        {"RELE", {2}, E::RelayMask},
        {"RELE", {0, 1, 3, 4, 8, 9}, E::None},
        {"POUZITI", {0, 1, 2, 3, 4, 5, 8, 9}, E::UseMask},
        {"KONFIG", {1, 2}, E::DoorTime},
        {"KONFIG", {3, 8}, E::DoorParameters},
        {"KONFIG", {4, 9}, E::BarrierParameters},
        {"KONFIG", {0, 5, 6, 7}, E::None},
        // A code no editor knows opens nothing, not even the masks.
        {"ALARM", {0x0A, 0x21, 0xFF}, E::None},
        {"POUZITI", {0x0A, 0xFF}, E::None},
        {"TYP", {1, 2, 4}, E::None},
        {"ADRESA", {1}, E::None},
    };
    for (const Case &c : cases)
        for (quint8 type : c.types)
            EXPECT_EQ(editorFor(QLatin1String(c.field), type), c.editor)
                << c.field << " type " << int(type);
}

TEST(UnitEditors, DoorTimeAndCountersStayInTheirRanges)
{
    // The slider cannot show 0 or more than 15; a lower-case digit reads.
    EXPECT_EQ(doorTimeOf(QStringLiteral("0F")), 1);
    EXPECT_EQ(doorTimeOf(QString()), 1);
    EXPECT_EQ(doorTimeOf(QStringLiteral("f2")), 15);
    // A short block is filled up to the 32 digits the unit reads.
    EXPECT_EQ(withDoorTime(QStringLiteral("12"), 3), QStringLiteral("32") + QString(30, '0'));

    // Counters run 1..100: a stored 0 or 200 shows at the nearer end, and a
    // block too short gets its bytes.
    const DoorParameters odd = doorParametersOf(bytes("0000C8"));
    EXPECT_EQ(odd.opening[0], 1);
    EXPECT_EQ(odd.waiting[0], 100);
    QByteArray konfig = bytes("08");
    putDoorParameters(konfig, odd);
    EXPECT_EQ(konfig.toHex().toUpper(), QByteArray("08016401010101010100000000000000"));
}

TEST(UnitEditors, BarrierParametersAndTheirTypeCodes)
{
    struct Case
    {
        quint8 code;
        int index;
        const char *text;
    };
    for (const Case &c :
         {Case{0x00, 0, "relé"}, Case{0x01, 1, "relé s bariérou"},
          Case{0x10, 2, "inteligentní - START"}, Case{0x11, 3, "inteligentní - START/STOP"},
          Case{0x02, -1, "???"}, Case{0xFF, -1, "???"}}) {
        EXPECT_EQ(barrierTypeIndex(c.code), c.index) << int(c.code);
        EXPECT_EQ(barrierTypeText(c.code), QString::fromUtf8(c.text)) << int(c.code);
    }

    // Type of In0, In1 in bytes 1, 2; opening in 3, 4; waiting in 5, 6.
    const QByteArray stored = bytes("09102205060708AABBCCDDEEFF010203");
    const BarrierParameters p = barrierParametersOf(stored);
    EXPECT_EQ(p.inputs[0].typeIndex, 2);
    EXPECT_EQ(p.inputs[1].typeIndex, -1);
    EXPECT_EQ(p.inputs[0].opening, 5);
    EXPECT_EQ(p.inputs[1].opening, 6);
    EXPECT_EQ(p.inputs[0].waiting, 7);
    EXPECT_EQ(p.inputs[1].waiting, 8);

    BarrierParameters edited = p;
    edited.inputs[0] = {1, 40, 41};
    edited.inputs[1].opening = 50; // type left unselected: the stored 0x22 stays
    QByteArray konfig = stored;
    putBarrierParameters(konfig, edited);
    EXPECT_EQ(konfig.toHex().toUpper(), QByteArray("09012228322908AABBCCDDEEFF010203"));
    edited.inputs[1].typeIndex = 3;
    putBarrierParameters(konfig, edited);
    EXPECT_EQ(quint8(konfig[2]), 0x11);
}

TEST(UnitEditors, UseMaskPanelFollowsTheTypeAndKeepsWhatItDoesNotShow)
{
    struct Case
    {
        quint8 type;
        const char *caption;
        int boxes;
        bool active;
    };
    for (const Case &c :
         {Case{1, "Vnější vstupy do objektu", 4, false},
          Case{9, "Vnější vstupy do objektu", 2, false}, Case{2, "Funkce jednotky", 1, true}}) {
        const UseMaskLayout l = useMaskLayout(c.type);
        EXPECT_EQ(l.caption, QString::fromUtf8(c.caption)) << int(c.type);
        EXPECT_EQ(l.shownBoxes, c.boxes) << int(c.type);
        EXPECT_EQ(l.activeBox, c.active) << int(c.type);
    }
    // Boxes 0..3 are bits 0..3; bits 4..7 are never touched.
    EXPECT_EQ(useMaskFromBoxes(0xA0, {true, false, true, true}), 0xAD);
    EXPECT_EQ(useMaskFromBoxes(0x0F, {false, false, false, false}), 0x00);
    EXPECT_EQ(maskFromBits(maskBits(0x5A)), 0x5A);
    EXPECT_EQ(maskBits(0x81),
              (std::array<bool, 8>{true, false, false, false, false, false, false, true}));
}
