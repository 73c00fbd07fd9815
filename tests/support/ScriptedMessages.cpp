#include "ScriptedMessages.h"

#include <gtest/gtest.h>

namespace vardex::testing {

ScriptedMessages::~ScriptedMessages()
{
    EXPECT_TRUE(m_answers.isEmpty()) << m_answers.size() << " scripted answer(s) never asked for";
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const Shown &s : m_shown)
        out << s.text;
    return out;
}

QStringList ScriptedMessages::texts(Kind kind) const
{
    QStringList out;
    for (const Shown &s : m_shown)
        if (s.kind == kind)
            out << s.text;
    return out;
}

Answer ScriptedMessages::next(Kind kind, const QString &text, Answer safe)
{
    m_shown.append({kind, text});
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return safe;
    }
    return m_answers.takeFirst();
}

Answer ScriptedMessages::askYesNo(const QString &text)
{
    return next(Kind::YesNo, text, Answer::No);
}

Answer ScriptedMessages::askYesNoCancel(const QString &text)
{
    return next(Kind::YesNoCancel, text, Answer::Cancel);
}

Answer ScriptedMessages::askOkCancel(const QString &text)
{
    return next(Kind::OkCancel, text, Answer::Cancel);
}

} // namespace vardex::testing
