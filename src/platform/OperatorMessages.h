#pragma once

#include <QString>

namespace vardex {

// What the operator answered to a question.
enum class Answer { Yes, No, Cancel, Ok };

// The seam through which the core tells the operator something or asks a
// question. Windows show message boxes, the command line writes to standard
// error, tests script the answers and read back what was shown.
class OperatorMessages
{
public:
    virtual ~OperatorMessages() = default;

    virtual void information(const QString &text) = 0;
    virtual void warning(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    // Answers Yes or No.
    virtual Answer askYesNo(const QString &text) = 0;
    // Answers Yes, No or Cancel.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // Answers Ok or Cancel.
    virtual Answer askOkCancel(const QString &text) = 0;
};

} // namespace vardex
