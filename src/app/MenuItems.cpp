#include "app/MenuItems.h"

namespace vardex {

const QList<MenuItemDef> &mainMenuItems()
{
    // Captions and hints are the program's own texts, spaces included.
    static const QList<MenuItemDef> items = {
        {QStringLiteral("Databaze"), QStringLiteral("&Databáze"),
         QStringLiteral("základní databáze systému"), MenuAction::TopLevel, QString(), false},
        {QStringLiteral("DatabazeJednotek"), QStringLiteral("&Hardwarové jednotky systému"),
         QStringLiteral("popis základních komponent systému - hardwarových jednotek"),
         MenuAction::OpensWindow, QStringLiteral("TFrmUni"), true},
        {QStringLiteral("DatabazeKlicu"), QStringLiteral("Nositelé identifikačních &klíčů"),
         QStringLiteral("přehled používaných identifikačních klíčů a jejich oprávnění"),
         MenuAction::OpensWindow, QStringLiteral("TFrmKey"), true},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("DatabazePracSkupin"), QStringLiteral("Skupiny &vyhodocení docházky"),
         QStringLiteral(
             "přehled skupin identifikačních klíčů, pro které je možno zpracovat docházku "),
         MenuAction::OpensWindow, QStringLiteral("TFrmPrs"), false},
        {QStringLiteral("DatabazeRozpisu"), QStringLiteral("&Rozpisy směn pro docházku"),
         QStringLiteral("přehled  a struktura automatických rozpisů pracovní doby"),
         MenuAction::OpensWindow, QStringLiteral("TFrmRozDch"), true},
        {QStringLiteral("DabazeSmen"), QStringLiteral("Časové rozvrhy &směn"),
         QStringLiteral("přehled a struktura používaných denních směn"), MenuAction::OpensWindow,
         QStringLiteral("TSELSME"), true},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("DatabazeSkupOpr"), QStringLiteral("Skupiny &oprávnění pro přístup"),
         QStringLiteral("přehled skupin oprávnění k přístupu podle místa a času"),
         MenuAction::OpensWindow, QStringLiteral("TFrmOpr"), true},
        {QStringLiteral("DatabazeCasu"), QStringLiteral("Časové rozvrhy pro &přístup"),
         QStringLiteral("přehled a struktura časových rozvrhů pro přístup"),
         MenuAction::OpensWindow, QStringLiteral("TFrmCasO"), true},
        {QStringLiteral("Nastaveni"), QStringLiteral("&Nastavení"),
         QStringLiteral("nastavování systému"), MenuAction::TopLevel, QString(), false},
        {QStringLiteral("StavJednotek"), QStringLiteral("&Zjištění stavu jednotek"),
         QStringLiteral("zjištění aktuálního stavu vybrané jednotky"), MenuAction::OpensWindow,
         QStringLiteral("TFrmGetSta"), false},
        {QStringLiteral("NastaveniCasu"), QStringLiteral("&Synchronizace času "),
         QStringLiteral("nastavení hodin a kalendáře jednotky podle systémového času počítače"),
         MenuAction::OpensWindow, QStringLiteral("TFrmSetTim"), false},
        {QStringLiteral("NastaveniPrav"), QStringLiteral("&Nastavit oprávnění"),
         QStringLiteral("kontrola oprávnění a nastavení všech jednotek systému"),
         MenuAction::OpensWindow, QStringLiteral("TFrmSetAll"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("DokumentaceSystemu"), QStringLiteral("&Dokumentace systému"),
         QStringLiteral("výpisy základní dokumentace přístupového systému"),
         MenuAction::OpensWindow, QStringLiteral("TFrmSysDoc"), false},
        {QStringLiteral("Sledovani"), QStringLiteral("&Sledování funkcí"),
         QStringLiteral("získávání informací od jednotek systému"), MenuAction::TopLevel, QString(),
         false},
        {QStringLiteral("MonitorUdalosti"), QStringLiteral("&Monitor událostí "),
         QStringLiteral("periodické získávání a archivace událostí s výpisem na obrazovku"),
         MenuAction::OpensWindow, QStringLiteral("TFrmMon"), false},
        {QStringLiteral("SberDat"), QStringLiteral("&Sběr dat od jednotek"),
         QStringLiteral("získání událostí od jednotek systému při jejich autonomní práci"),
         MenuAction::OpensWindow, QStringLiteral("TFrmSbd"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("GrafickyMonitor1"), QStringLiteral("&Přehledový  monitor"),
         QStringLiteral("vícefunkční dohled nad systémem"), MenuAction::OpensWindow,
         QStringLiteral("TGRAMON"), false},
        {QStringLiteral("Vyhodnoceni"), QStringLiteral("&Vyhodnocení"),
         QStringLiteral("vyhodnocování archivovaných událostí v systému"), MenuAction::TopLevel,
         QString(), false},
        {QStringLiteral("DatabazeUdalosti"), QStringLiteral("&Události v systému"),
         QStringLiteral("selektivní prohlížení a výpisy událostí v systému"),
         MenuAction::OpensWindow, QStringLiteral("TEVEDB"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("ZpracovaniDochazky"), QStringLiteral("&Zpracování docházky"),
         QStringLiteral("porovnání pracovního výkonu s normou práce"), MenuAction::OpensWindow,
         QStringLiteral("TDOCHAZ"), false},
        {QStringLiteral("UdalostiDochazky"), QStringLiteral("Události &docházky"),
         QStringLiteral(
             "přehled událostí, které vstupují do zpracování docházky pro pracovníka a den"),
         MenuAction::OpensWindow, QStringLiteral("TFrmDopUd"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("Databazerozpisu1"), QStringLiteral("Databáze &rozpisů"),
         QStringLiteral("příprava kalendářních plánů směn pro každého pracovníka (alternativní "
                        "funkce výpočtu docházky)"),
         MenuAction::OpensWindow, QStringLiteral("TROCPLN"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("Svatky"), QStringLiteral("&Stanovení svátků"),
         QStringLiteral("kalendář svátků pro automatický rozpis (den, kdy pracovníci nemají "
                        "povinost pracovat)"),
         MenuAction::OpensWindow, QStringLiteral("TDBSVAT"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("Doasntolerancenonsmny1"), QStringLiteral("&Tolerance noční směny"),
         QStringLiteral("Kdy je možno nejdříve přijít / odejít při noční směně"),
         MenuAction::OpensWindow, QStringLiteral("TPARNOC"), false},
        {QStringLiteral("OProgramu"), QStringLiteral("&Program"),
         QStringLiteral("pomocné informace programu"), MenuAction::TopLevel, QString(), false},
        {QStringLiteral("ParametryProgramu"), QStringLiteral("&Parametry programu"),
         QStringLiteral("volitené parametry a nastavení programu"), MenuAction::OpensWindow,
         QStringLiteral("TFrmPrgpar"), false},
        {QString(), QString(), QString(), MenuAction::Separator, QString(), false},
        {QStringLiteral("Napoveda"), QStringLiteral("&Nápověda"),
         QStringLiteral("dokumentace k programu"), MenuAction::Help, QString(), false},
        {QStringLiteral("UcelProgramu"), QStringLiteral("Účel pro&gramu"),
         QStringLiteral("anotace programu"), MenuAction::About, QStringLiteral("TMyAbout"), false},
        {QStringLiteral("Konec1"), QStringLiteral("&Konec"),
         QStringLiteral("ukončení práce programu"), MenuAction::Quit, QString(), false},
    };
    return items;
}

const MenuItemDef *findMenuItem(const QString &name)
{
    for (const MenuItemDef &item : mainMenuItems())
        if (!name.isEmpty() && item.name == name)
            return &item;
    return nullptr;
}

} // namespace vardex
