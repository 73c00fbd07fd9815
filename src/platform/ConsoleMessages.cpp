#include "platform/ConsoleMessages.h"

#include <QRegularExpression>

namespace vardex {

void ConsoleMessages::write(const char *prefix, const QString &text)
{
    // One message, one line: a message box's line breaks ("Vytvořen
    // adresář \r\n" and the directory) would split it for a reader of the
    // log or a script.
    static const QRegularExpression lineBreak(QStringLiteral("[ \\t]*\\r?\\n[ \\t]*"));
    const QByteArray utf8 = QString(text).replace(lineBreak, QStringLiteral(" ")).toUtf8();
    std::fprintf(m_out, "%s%s\n", prefix, utf8.constData());
    std::fflush(m_out);
}

void ConsoleMessages::information(const QString &text)
{
    write("", text);
}

void ConsoleMessages::warning(const QString &text)
{
    write("Varování: ", text);
}

void ConsoleMessages::error(const QString &text)
{
    write("Chyba: ", text);
}

Answer ConsoleMessages::askYesNo(const QString &text)
{
    write(m_assumeYes ? "Otázka (odpověď Ano): " : "Otázka (odpověď Ne): ", text);
    return m_assumeYes ? Answer::Yes : Answer::No;
}

Answer ConsoleMessages::askYesNoCancel(const QString &text)
{
    write(m_assumeYes ? "Otázka (odpověď Ano): " : "Otázka (odpověď Zrušit): ", text);
    return m_assumeYes ? Answer::Yes : Answer::Cancel;
}

Answer ConsoleMessages::askOkCancel(const QString &text)
{
    write(m_assumeYes ? "Otázka (odpověď OK): " : "Otázka (odpověď Zrušit): ", text);
    return m_assumeYes ? Answer::Ok : Answer::Cancel;
}

} // namespace vardex
