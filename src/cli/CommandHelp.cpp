#include "cli/CommandHelp.h"

#include "cli/CommandDefs.h"

namespace vardex {

namespace {

constexpr int kNameColumn = 16;
constexpr int kLineWidth = 79;

// The words of `text` on lines of at most `width` characters, every line
// after the first indented by `indent`.
QString wrapped(const QString &text, int indent, int width)
{
    QString out;
    int column = indent;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (column > indent && column + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += int(word.size());
    }
    return out;
}

} // namespace

QString commandHelp(const CommandDef &def)
{
    QString text = QStringLiteral("Použití: %1\n\n%2\n")
                       .arg(def.synopsis, wrapped(def.summary, 0, kLineWidth));
    if (!def.details.isEmpty())
        text += QLatin1Char('\n') + def.details;
    return text;
}

QString usageText()
{
    QString text =
        QStringLiteral("Použití: vardex [volby] [příkaz [argumenty]]\n"
                       "\n"
                       "Bez příkazu otevře hlavní okno programu.\n"
                       "\n"
                       "Volby (před příkazem):\n"
                       "  -C DIR        nejprve přejde do adresáře DIR (v něm jsou tabulky)\n"
                       "  --home DIR    existující domovský adresář s konfigurací WKVRCFG.DBF\n"
                       "                (jinak VARDEX_HOME, jinak adresář programu)\n"
                       "  --now \"RRRR-MM-DD hh:mm:ss\"  pevný čas pro celý běh\n"
                       "  --version     vypíše verzi\n"
                       "  --help        vypíše tuto nápovědu\n"
                       "\n"
                       "Příkazy:\n");
    for (const CommandDef &def : allCommands()) {
        text += QStringLiteral("  ") + def.name.leftJustified(kNameColumn);
        if (def.name.size() >= kNameColumn)
            text += QStringLiteral("\n  ") + QString(kNameColumn, QLatin1Char(' '));
        text += QLatin1Char(' ') + wrapped(def.summary, kNameColumn + 3, kLineWidth) +
                QLatin1Char('\n');
    }
    text += QStringLiteral(
        "\n"
        "Podrobnosti k příkazu: vardex help PŘÍKAZ nebo vardex PŘÍKAZ --help.\n"
        "Data se zapisují dd.mm.rrrr, časy hh:mm, čísla klíčů 14 hexadecimálními\n"
        "číslicemi, adresy jednotek dvěma hexadecimálními číslicemi. Otázku, kterou\n"
        "by položilo okno, příkaz zodpoví bezpečně (Ne / Zrušit), pokud ji\n"
        "nezodpoví volba (--replace, --overwrite, --append).\n"
        "\n"
        "Návratový kód: 0 hotovo, 1 operace selhala nebo není úplná (důvod na\n"
        "standardním chybovém výstupu), 2 chybně zadaný příkaz.\n");
    return text;
}

} // namespace vardex
