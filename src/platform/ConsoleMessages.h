#pragma once

#include "platform/OperatorMessages.h"

#include <cstdio>

namespace vardex {

// Messages for the command line: every text goes to standard error (UTF-8),
// and a question gets its safe answer (No / Cancel) unless the sub-command
// was told to say yes.
class ConsoleMessages final : public OperatorMessages
{
public:
    explicit ConsoleMessages(std::FILE *out = stderr) : m_out(out) {}

    void setAssumeYes(bool yes) { m_assumeYes = yes; }

    void information(const QString &text) override;
    void warning(const QString &text) override;
    void error(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;

private:
    void write(const char *prefix, const QString &text);

    std::FILE *m_out;
    bool m_assumeYes = false;
};

} // namespace vardex
