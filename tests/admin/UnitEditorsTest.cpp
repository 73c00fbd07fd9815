#include "admin/UnitEditors.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(UnitEditors, EachColumnOpensItsEditorOnlyForItsTypes)
{
    using E = UnitEditor;
    const std::tuple<const char *, std::vector<quint8>, E> cases[] = {
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
        {"TYP", {1, 2, 4}, E::None},
    };
    for (const auto &[field, types, editor] : cases)
        for (quint8 type : types)
            EXPECT_EQ(editorFor(QLatin1String(field), type), editor) << field << " " << int(type);
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
    const DoorParameters odd = doorParametersOf(QByteArray::fromHex("0000C8"));
    EXPECT_EQ(std::pair(odd.opening[0], odd.waiting[0]), std::pair(1, 100));
    QByteArray konfig = QByteArray::fromHex("08");
    putDoorParameters(konfig, odd);
    EXPECT_EQ(konfig.toHex().toUpper(), QByteArray("08016401010101010100000000000000"));
}

TEST(UnitEditors, BarrierParametersAndTheirTypeCodes)
{
    for (const auto &[code, index] :
         {std::pair{0x00, 0}, {0x01, 1}, {0x10, 2}, {0x11, 3}, {0x02, -1}, {0xFF, -1}})
        EXPECT_EQ(barrierTypeIndex(quint8(code)), index) << code;
    EXPECT_EQ(barrierTypeText(0x11), QStringLiteral("inteligentní - START/STOP"));
    EXPECT_EQ(barrierTypeText(0x02), QStringLiteral("???"));

    // Type of In0, In1 in bytes 1, 2; opening in 3, 4; waiting in 5, 6.
    const QByteArray stored = QByteArray::fromHex("09102205060708AABBCCDDEEFF010203");
    const auto [in0, in1] = barrierParametersOf(stored).inputs;
    EXPECT_EQ((std::array{in0.typeIndex, in0.opening, in0.waiting}), (std::array{2, 5, 7}));
    EXPECT_EQ((std::array{in1.typeIndex, in1.opening, in1.waiting}), (std::array{-1, 6, 8}));

    BarrierParameters edited{{BarrierInput{1, 40, 41}, in1}};
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
    // type, caption, boxes shown, the single box "Aktivní"
    for (const auto &[type, caption, boxes, active] :
         {std::tuple{1, "Vnější vstupy do objektu", 4, false},
          {9, "Vnější vstupy do objektu", 2, false},
          {2, "Funkce jednotky", 1, true}}) {
        const UseMaskLayout l = useMaskLayout(quint8(type));
        EXPECT_EQ(l.caption, QString::fromUtf8(caption)) << type;
        EXPECT_EQ(l.shownBoxes, boxes) << type;
        EXPECT_EQ(l.activeBox, active) << type;
    }
    // Boxes 0..3 are bits 0..3; bits 4..7 are never touched.
    EXPECT_EQ(useMaskFromBoxes(0xA0, {true, false, true, true}), 0xAD);
    EXPECT_EQ(useMaskFromBoxes(0x0F, {false, false, false, false}), 0x00);
    EXPECT_EQ(maskFromBits(maskBits(0x5A)), 0x5A);
    EXPECT_EQ(maskBits(0x81),
              (std::array<bool, 8>{true, false, false, false, false, false, false, true}));
}
