#include "platform/ConsoleMessages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace vardex {
namespace {

// On the command line a message is one line, whatever line breaks its
// message box would show, and a question gets its safe answer.
TEST(ConsoleMessages, OneLineEachAndTheSafeAnswer)
{
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *out = open_memstream(&buffer, &size);
    ConsoleMessages messages(out);
    messages.information(QStringLiteral("Vytvořen adresář \r\n/srv/vardex/VYSTUP/"));
    messages.error(QStringLiteral("Chybná data: 05 ABCDEF  x\n Pokračovat?"));
    EXPECT_EQ(messages.askYesNo(QStringLiteral("Smazat stará data?")), Answer::No);
    std::fclose(out);
    EXPECT_EQ(QString::fromUtf8(buffer, qsizetype(size)),
              QStringLiteral("Vytvořen adresář /srv/vardex/VYSTUP/\n"
                             "Chyba: Chybná data: 05 ABCDEF  x Pokračovat?\n"
                             "Otázka (odpověď Ne): Smazat stará data?\n"));
    std::free(buffer);
}

} // namespace
} // namespace vardex
