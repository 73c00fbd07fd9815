#include "admin/AccessSchedule.h"
#include "AdminSite.h"
#include "admin/AccessScheduleEditor.h"

using namespace vardex;
using namespace vardex::testing;

namespace {

constexpr quint8 kWorkdays = 0x7C; // Po..Pá

ScheduleComponent comp(int fromH, int toH, quint8 days = kWorkdays)
{
    return {quint16(fromH << 8), quint16(toH << 8), days};
}

ScheduleBlock blockOf(const QList<ScheduleComponent> &components)
{
    ScheduleBlock b;
    for (const ScheduleComponent &c : components)
        b.apply(b.count() + 1, c);
    return b;
}

QList<ScheduleComponent> componentsOf(const ScheduleBlock &b)
{
    QList<ScheduleComponent> list;
    for (int i = 1; i <= b.count(); ++i)
        list.append(b.component(i));
    return list;
}

} // namespace

// "Použít" keeps components 1..n non-empty, distinct and packed.
TEST(ScheduleBlock, ConfirmingAComponentKeepsTheBlockPackedAndFreeOfRepeats)
{
    const ScheduleComponent a = comp(6, 14), b = comp(14, 22), c = comp(8, 12, 0x02);
    const struct
    {
        const char *what;
        QList<ScheduleComponent> before;
        int k;
        ScheduleComponent edited;
        QList<ScheduleComponent> after;
    } cases[] = {
        {"a new copy of another", {a, b}, 3, a, {a, b}},
        {"an existing one made a copy", {a, b, c}, 3, b, {a, b}},
        {"start equal to end", {a}, 1, comp(9, 9), {}},
        {"no day left in 2 of 3", {a, b, c}, 2, comp(14, 22, 0), {a, c}},
        {"a change in place", {a, b}, 1, c, {c, b}},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.what);
        ScheduleBlock block = blockOf(t.before);
        block.apply(t.k, t.edited);
        EXPECT_EQ(componentsOf(block), t.after);
        EXPECT_EQ(block.component(block.count() + 1), ScheduleComponent{}) << "cleared after n";
    }
}

TEST(ScheduleBlock, StoredBytesTextsAndChart)
{
    const ScheduleComponent c{0x0800, 0x101E, kWorkdays}; // 08:00 - 16:30
    const QByteArray bytes = blockOf({c}).toBytes();
    ASSERT_EQ(bytes.size(), 36);
    EXPECT_EQ(bytes.left(6).toHex(), "0100081e107c"); // count, little-endian words, mask
    EXPECT_EQ(ScheduleBlock::fromBytes(bytes), blockOf({c}));
    EXPECT_EQ(ScheduleBlock::fromBytes(QByteArray(1, char(0xFF))).count(), 7) << "count clamped";

    EXPECT_EQ(componentText(c), u"08:00 - 16:30 Po Út St Čt Pá "_s);
    EXPECT_EQ(componentText({}), u"00:00 - 00:00 "_s);
    EXPECT_EQ(dayMask(dayFlags(0x41)), 0x41);

    // One unit per 10 minutes, counted from 1; nothing for an end not after
    // the start.
    EXPECT_EQ(chartBars(ScheduleComponent{0x0800, 0x101E, 0x41}),
              (QList<ChartBar>{{0, 49, 100}, {6, 49, 100}}));
    EXPECT_TRUE(chartBars(ScheduleComponent{0x1000, 0x0800, 0x7F}).isEmpty());
}

struct ScheduleSite : AdminSite
{
    ScheduleSite() { EXPECT_TRUE(vx.tbCas.open()); }
    Table &t = vx.tbCas;
};

// The end counters follow the start: whichever counter moves, the end
// never lies before the start.
TEST(AccessScheduleEditor, TheEndFollowsTheStart)
{
    ScheduleSite s;
    AccessScheduleEditor e(s.t, s.messages);
    ASSERT_TRUE(s.t.insert());
    ASSERT_TRUE(e.beginComponent(1));
    e.setEnd(16, 30);
    // start h, start m, end h, end m (-1: not set), then the end
    const int steps[][5] = {{17, 0, -1, -1, 0x111E}, // the hour follows, the minutes stay
                            {17, 45, -1, -1, 0x112D},
                            {-1, -1, 9, 0, 0x112D},
                            {-1, -1, 17, 10, 0x112D},
                            {8, 0, 18, 5, 0x1205}};
    for (const auto &st : steps) {
        if (st[0] >= 0)
            e.setStart(st[0], st[1]);
        if (st[2] >= 0)
            e.setEnd(st[2], st[3]);
        EXPECT_EQ(e.edited().end, st[4]) << st[0] << ":" << st[1] << " " << st[2] << ":" << st[3];
        EXPECT_GE(e.edited().end, e.edited().start);
    }
    EXPECT_EQ(e.endHourMinimum(), 8);
    EXPECT_EQ(e.endMinuteMinimum(), 0);
}

TEST(AccessScheduleEditor, LinesPostRuleAndADuplicateName)
{
    ScheduleSite s;
    {
        AccessScheduleEditor e(s.t, s.messages);
        e.open();
        EXPECT_EQ(e.counterText(), u"0/0"_s);
        ASSERT_TRUE(s.t.insert());
        EXPECT_TRUE(e.lineClickable(1));
        EXPECT_FALSE(e.lineClickable(2));
        for (int k = 1; k <= 2; ++k) {
            ASSERT_TRUE(e.beginComponent(k));
            e.setStart(6 + 8 * (k - 1), 0);
            e.setEnd(14 + 8 * (k - 1), 0);
            for (int day = 0; day < 5; ++day)
                e.setDay(day, true);
            e.applyComponent();
        }
        EXPECT_TRUE(e.lineClickable(3));
        EXPECT_FALSE(e.lineClickable(4)) << "only directly after the last";
        EXPECT_FALSE(e.postOffered()) << "no name";
        ASSERT_TRUE(e.setName(u"Směny"_s));
        EXPECT_TRUE(e.postOffered());
        ASSERT_TRUE(s.t.post());
        EXPECT_EQ(e.counterText(), u"1/1"_s);
        EXPECT_EQ(e.block().count(), 2);

        // A second schedule of the same name: told, and still inserted with
        // its block.
        ASSERT_TRUE(s.t.insert());
        EXPECT_EQ(e.block().count(), 0);
        ASSERT_TRUE(e.beginComponent(1));
        e.setEnd(1, 0);
        e.setDay(6, true);
        e.applyComponent();
        e.setName(u"Směny"_s);
        EXPECT_FALSE(s.t.post());
        EXPECT_EQ(s.messages.texts(), QStringList{u"Duplicitní název rozvrhu - opravte"_s});
        EXPECT_EQ(s.t.state(), TableState::Insert);
        e.showCurrent();
        EXPECT_EQ(e.block().count(), 1) << "the edited block is kept";
        s.t.cancel();
        EXPECT_TRUE(e.tbCasExactNazev(u"Směny"_s));
        EXPECT_EQ(e.block().count(), 2);
    }
    // Without the window a post stores the block as given (an import).
    ASSERT_TRUE(s.t.insert());
    s.t.setString(u"NAZEVROZVRHU"_s, u"Import"_s);
    s.t.setBytes(u"DATAROZVRHU"_s, blockOf({comp(1, 2)}).toBytes());
    ASSERT_TRUE(s.t.post());
    EXPECT_EQ(ScheduleBlock::fromBytes(s.t.asBytes(u"DATAROZVRHU"_s)).count(), 1);
}
