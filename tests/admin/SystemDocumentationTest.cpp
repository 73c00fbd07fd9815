#include "admin/SystemDocumentation.h"
#include "DocumentationSite.h"
#include "admin/UnitDescription.h"
#include "events/ReportFile.h"

using namespace vardex;
using namespace vardex::testing;

namespace {

QStringList report(DocumentationSite &site, DocListing listing)
{
    const Result<qint64> listed = writeDocumentation(site.db, site.vx, listing, site.outputDir());
    EXPECT_TRUE(listed) << listed.error().toStdString();
    return readReportFile(site.outputDir()).valueOr({});
}

} // namespace

// One unit of each kind; the object lines name the input's own alarm bit,
// outer/inner use and times (barriers by their barrier layout).
TEST(SystemDocumentation, EachUnitTypeIsDescribed)
{
    AdminSite site;
    const struct
    {
        quint8 type;
        QString fields;   // FIELD=value, separated by blanks
        QStringList head; // the lines before "Hlášení události vstupu:"
    } cases[] = {
        {UnitType::Access,
         u"ALARM=05 POUZITI=01"_s,
         {u"Jednotka: 01 přístupová "_s, u"Typ: přístupová "_s, u"Řídí objekty: "_s,
          u"   00 Dveře 0, poplach registruje a hlásí, VNĚJŠÍ VSTUP, otevřeno 5 s. (čeká 20 s.)"_s,
          u"   01 Dveře 1, poplach registruje, vnitřní objekt, otevřeno 5 s. (čeká 20 s.)"_s,
          u"   02 Dveře 2, poplach registruje a hlásí, vnitřní objekt, otevřeno 5 s. (čeká 20 s.)"_s,
          u"   03 Dveře 3, poplach registruje, vnitřní objekt, otevřeno 5 s. (čeká 20 s.)"_s}},
        {UnitType::Attendance,
         u"POUZITI=01 RELE=01"_s,
         {u"Jednotka: 02 docházková "_s, u"Typ: docházková , AKTIVNÍ"_s, u"Řídí objekty: "_s,
          u"   00 Dveře 0, poplach registruje a hlásí, otevřeno 1 s. (čeká 4 s.)"_s}},
        {UnitType::Attendance,
         QString(),
         {u"Jednotka: 03 docházková "_s, u"Typ: docházková , PASÍVNÍ"_s, u"Pomocné objekty: "_s,
          u"   10 Dveře 0, poplach registruje a hlásí"_s}},
        {UnitType::Expander,
         u"KONFIG=00050A010203040F10 POUZITI=02 ALARM=20 SnimIN5=Siréna"_s,
         {u"Jednotka: 04 expander   "_s, u"Typ: expander   "_s, u"Řídí objekty: "_s,
          u"   00 Dveře 0, poplach registruje, vnitřní objekt, otevřeno 5 s. (čeká 10 s.)"_s,
          u"   01 Dveře 1, poplach registruje, VNĚJŠÍ VSTUP, otevřeno 1 s. (čeká 2 s.)"_s,
          u"   02 Dveře 2, poplach registruje, vnitřní objekt, otevřeno 3 s. (čeká 4 s.)"_s,
          u"   03 Dveře 3, poplach registruje, vnitřní objekt, otevřeno 15 s. (čeká 16 s.)"_s,
          u"Pomocné objekty: "_s, u"   15 Siréna, poplach registruje a hlásí"_s}},
        {UnitType::Barrier,
         u"KONFIG=03011105060708 POUZITI=01"_s,
         {u"Jednotka: 05 závorová   "_s, u"Typ: závorová   "_s, u"Řídí objekty: "_s,
          u"   00 Závora 0 , poplach registruje a hlásí, VNĚJŠÍ VSTUP, "
          u"typ závory: relé s bariérou, otevřeno 5 s. (čeká 7 s.)"_s,
          u"   01 Závora 1 , poplach registruje a hlásí, vnitřní objekt, "
          u"typ závory: inteligentní - START/STOP, otevřeno 6 s. (čeká 8 s.)"_s}},
        {5, QString(), {u"Jednotka: 06 "_s, u"Typ: neznámý typ"_s}},
    };
    int address = 0;
    for (const auto &c : cases) {
        site.addUnit(c.type, QStringLiteral("0%1").arg(++address));
        ASSERT_TRUE(site.db.tbUni.edit());
        for (const QString &field : c.fields.split(u' ', Qt::SkipEmptyParts))
            site.db.tbUni.setString(field.section(u'=', 0, 0), field.section(u'=', 1));
        ASSERT_TRUE(site.db.tbUni.post());
        const QStringList lines = describeUnit(site.db.tbUni);
        EXPECT_EQ(lines.mid(0, lines.size() - 6), c.head) << address;
        EXPECT_EQ(
            lines.mid(lines.size() - 6),
            (QStringList{u"Hlášení události vstupu:"_s, u"   povolení:   povoleno      "_s,
                         u"   nepovolení: ^ilegální     "_s, u"   nevyužití:  ^neotevřeno   "_s,
                         u"   neuzavření: ^nezavřeno    "_s, u"---   "_s}));
    }
}

TEST(SystemDocumentation, KeyListAndPermissions)
{
    DocumentationSite site;
    site.key({u"01000000000001"_s, u"Novák Jan"_s, u"Ing."_s, u"Ph.D."_s, u"7"_s, u"Dílna"_s,
              u"Vše"_s, u"Devět"_s});
    site.key({u"01000000000002"_s, u"Bez Práv"_s, u""_s, u""_s, u"8"_s});
    site.key({u"01000000000003"_s, u"Chybová Eva"_s, u""_s, u""_s, u"9"_s, u""_s, u"Neznámá"_s,
              u"Chybný"_s});
    site.key({u"01000000000004"_s, u"Zlá Ivana"_s, u""_s, u""_s, u"10"_s, u""_s, u"Zlý rozvrh"_s,
              u"Žádný"_s});
    site.key({u"01000000000005"_s, u"Další Vše"_s, u""_s, u""_s, u"11"_s, u""_s, u"Vše"_s});

    EXPECT_EQ(
        report(site, DocListing::Keys).mid(0, 2),
        (QStringList{u"0001 01000000000001 Ing. Novák Jan, Ph.D.               7            Dílna "
                     u"            Vše               Devět            "_s,
                     u"0002 01000000000002 Bez Práv                            8               "
                     u"                                                  "_s}));

    const QString days = u"     08:00 - 16:30 Po Út St Čt Pá "_s;
    const QString r = u" - 08:00  P:06:00-14:00 "_s;
    const QStringList gap = {u" "_s, u" "_s};
    // clang-format off
    const QStringList rights = {
        u"PŘÍSTUPOVÁ PRÁVA "_s, u"  01 přístupová "_s, u"  04 expander   "_s,
        u"   Dveře 0 "_s, days, u"   Dveře 2 "_s, days,
        u"  05 závorová   "_s, u"   Závora 0  "_s, days, u"   Závora 1  "_s, days};
    const QStringList expected = QStringList{
        u"01000000000001 Ing. Novák Jan, Ph.D. 7 Dílna"_s, u"ROZPIS DOCHÁZKY "_s,
        u"Délka: 9"_s, u"Od:    04.12.2026"_s,
        u"pátek"_s + r, u"sobota - volno"_s, u"neděle - volno"_s, u"pondělí"_s + r,
        u"úterý - 07:30  P:18:00-22:00 P:22:00-23:30 noční"_s,
        u"středa"_s + r, u"čtvrtek"_s + r, u"pátek"_s + r, u"sobota - volno"_s}
        + rights + gap + QStringList{
        u"01000000000002 Bez Práv 8 "_s, u"ROZPIS DOCHÁZKY  - nemá definován"_s,
        u"PŘÍSTUPOVÁ PRÁVA  - nemá definována"_s}
        + gap + QStringList{
        u"01000000000003 Chybová Eva 9 "_s, u"ROZPIS DOCHÁZKY "_s, u"Délka: 3"_s,
        u"Od:    07.12.2026"_s, u"pondělí"_s + r, u"úterý Neplatná směna  >X<"_s,
        u"PŘÍSTUPOVÁ PRÁVA  Neplatné oprávnění  >Neznámá<"_s}
        + gap + QStringList{
        u"01000000000004 Zlá Ivana 10 "_s, u"ROZPIS DOCHÁZKY  Neplatný rozpis  >Žádný<"_s,
        u"PŘÍSTUPOVÁ PRÁVA "_s, u"  Zlý rozvrh, 01 neplatný časový rozvrh >Nic<"_s}
        + gap + QStringList{
        u"01000000000005 Další Vše 11 "_s, u"ROZPIS DOCHÁZKY  - nemá definován"_s}
        + rights + gap + QStringList{QString(), QString()};
    // clang-format on
    EXPECT_EQ(report(site, DocListing::Permissions), expected);
    // Unit 09 of "Vše" is told once, though two keys have the group.
    EXPECT_EQ(site.messages.texts(), QStringList{u"Neznámá jednotka: 09"_s});
}
