#include "ScriptedMessages.h"

#include <gtest/gtest.h>

namespace vardex::testing {

ScriptedMessages::~ScriptedMessages()
{
    EXPECT_TRUE(m_answers.isEmpty()) << m_answers.size() << " scripted answer(s) never asked for";
}

QStringList ScriptedMessages::texts(std::optional<Kind> kind) const
{
    QStringList out;
    for (const Shown &s : m_shown)
        if (!kind || s.kind == *kind)
            out << s.text;
    return out;
}

Answer ScriptedMessages::next(Kind kind, const QString &text)
{
    m_shown.append({kind, text});
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return kind == Kind::YesNo ? Answer::No : Answer::Cancel;
    }
    return m_answers.takeFirst();
}

} // namespace vardex::testing
