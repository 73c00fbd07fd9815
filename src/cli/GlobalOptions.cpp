#include "cli/GlobalOptions.h"

#include <QDir>
#include <QFileInfo>

namespace vardex {

namespace {

QString withSlash(const QString &dir)
{
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir;
    return dir + QLatin1Char('/');
}

} // namespace

GlobalOptions parseGlobalOptions(const QStringList &arguments)
{
    GlobalOptions o;
    // arguments[0] is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        auto value = [&](const char *name) -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                o.error = QStringLiteral("Volba %1 vyžaduje hodnotu").arg(QLatin1String(name));
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (a == QLatin1String("--version")) {
            o.version = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("-C")) {
            if (auto v = value("-C"))
                o.changeDir = *v;
        } else if (a == QLatin1String("--home")) {
            if (auto v = value("--home"))
                o.home = *v;
        } else if (a == QLatin1String("--now")) {
            if (auto v = value("--now")) {
                const QDateTime at =
                    QDateTime::fromString(*v, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                if (!at.isValid())
                    o.error = QStringLiteral("Chybný čas ve volbě --now: %1 (očekává se "
                                             "\"RRRR-MM-DD hh:mm:ss\")")
                                  .arg(*v);
                else
                    o.now = at;
            }
        } else if (a.startsWith(QLatin1Char('-'))) {
            o.error = QStringLiteral("Neznámá volba: %1").arg(a);
        } else {
            o.command = a;
            o.args = arguments.mid(i + 1);
            break;
        }
        if (!o.error.isEmpty())
            break;
    }
    return o;
}

QString resolveHome(const QString &optionHome, const QString &envHome, const QString &exeDir)
{
    const QString chosen = !optionHome.isEmpty() ? optionHome
                           : !envHome.isEmpty()  ? envHome
                                                 : exeDir;
    return withSlash(chosen.isEmpty() ? chosen : QDir(chosen).absolutePath());
}

QString programDirectory(const QString &argv0)
{
    const QString running = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(running.isEmpty() ? argv0 : running).absolutePath();
}

QString usageText()
{
    return QStringLiteral(
        "Použití: vardex [volby] [příkaz [argumenty]]\n"
        "\n"
        "Bez příkazu otevře hlavní okno programu.\n"
        "\n"
        "Volby:\n"
        "  -C DIR        nejprve přejde do adresáře DIR (v něm jsou tabulky)\n"
        "  --home DIR    existující domovský adresář s konfigurací WKVRCFG.DBF\n"
        "                (jinak VARDEX_HOME, jinak adresář programu)\n"
        "  --now \"RRRR-MM-DD hh:mm:ss\"  pevný čas pro celý běh\n"
        "  --version     vypíše verzi\n"
        "  --help        vypíše tuto nápovědu\n"
        "\n"
        "Příkazy:\n"
        "  status        spustí program bez okna a vypíše dostupnost položek menu\n"
        "                a počty jednotek, klíčů a událostí\n"
        "  events [--filter VÝRAZ]\n"
        "                vypíše uložené události, nejstarší první; VÝRAZ je filtr\n"
        "                tabulky událostí, např. \"DATUM>='01.12.2026' AND RES='10'\"\n"
        "  events erase --to dd.mm.rrrr\n"
        "                vymaže události až do zadaného dne včetně a vypíše jejich počet\n"
        "  units         vypíše jednotky: adresa, typ, název, použití, poplach, relé\n"
        "                a konfigurační data\n"
        "  keys          vypíše nositele klíčů: klíč, jméno s tituly, osobní číslo,\n"
        "                pracoviště, oprávnění a docházku\n"
        "  keys export SOUBOR\n"
        "                uloží databázi klíčů do textového souboru (pevné sloupce)\n"
        "  keys import SOUBOR [--replace]\n"
        "                načte klíče z textového souboru; --replace nejprve smaže stará\n"
        "                data; vynechané řádky vypíše a skončí s kódem 1\n"
        "  collect [--max-rounds N] [--reply-timeout MS]\n"
        "                sběr dat od všech jednotek bez okna; vypisuje průběh a skončí\n"
        "                s kódem 0, když jsou všechny jednotky prázdné, s kódem 1, když\n"
        "                se to nepodaří za N kol (výchozí 5), když události nelze uložit\n"
        "                nebo po Ctrl-C; jednotka má na odpověď MS ms (výchozí 4000)\n"
        "  read-key [--address XX] [--timeout S]\n"
        "                přečte identifikační klíč předložený u jednotky XX (výchozí\n"
        "                adresa pro čtení z konfigurace) a vypíše jeho číslo; zkouší\n"
        "                S sekund (výchozí 30, 0 = jediný pokus)\n"
        "  demo-site DIR vytvoří ukázkovou evidenci v adresáři DIR a konfiguraci\n"
        "                simulátoru DIR/kvr8sim.conf (linka DIR/ttyKVR8)\n");
}

} // namespace vardex
