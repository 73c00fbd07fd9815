#include "platform/ConsoleMessages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace vardex;

// On the command line a message is one line, whatever line breaks its
// message box would show, and a question gets its safe answer unless the
// command was told yes.
TEST(ConsoleMessages, OneLineEachAndTheSafeAnswerUnlessToldYes)
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

    std::FILE *sink = std::fopen("/dev/null", "w");
    ConsoleMessages m(sink);
    EXPECT_EQ(m.askYesNoCancel(QStringLiteral("Uložit?")), Answer::Cancel);
    EXPECT_EQ(m.askOkCancel(QStringLiteral("Pokračovat?")), Answer::Cancel);
    m.setAssumeYes(true);
    EXPECT_EQ(m.askYesNo(QStringLiteral("Smazat stará data?")), Answer::Yes);
    EXPECT_EQ(m.askOkCancel(QStringLiteral("Pokračovat?")), Answer::Ok);
    std::fclose(sink);
}
