#pragma once

#include "QtPrinters.h"
#include "platform/OperatorMessages.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace vardex::testing {

// A message seam for tests. Say the answers to the coming questions in
// advance with answer(); afterwards read what was shown with shown() or
// texts(). A question without a scripted answer fails the test and gets the
// safe answer (No / Cancel).
class ScriptedMessages final : public OperatorMessages
{
public:
    enum class Kind { Information, Warning, Error, YesNo, YesNoCancel, OkCancel };
    struct Shown
    {
        Kind kind;
        QString text;
    };

    ~ScriptedMessages() override;

    ScriptedMessages &answer(Answer a)
    {
        m_answers.append(a);
        return *this;
    }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    QStringList texts(Kind kind) const;
    void clear() { m_shown.clear(); }
    // Questions scripted but not asked yet.
    qsizetype pendingAnswers() const { return m_answers.size(); }

    // Called as each message is shown, to look at the windows at that moment.
    std::function<void(const Shown &)> onShown;

    void information(const QString &text) override { show({Kind::Information, text}); }
    void warning(const QString &text) override { show({Kind::Warning, text}); }
    void error(const QString &text) override { show({Kind::Error, text}); }
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;

private:
    void show(const Shown &shown)
    {
        m_shown.append(shown);
        if (onShown)
            onShown(shown);
    }

    Answer next(Kind kind, const QString &text, Answer safe);

    QList<Answer> m_answers;
    QList<Shown> m_shown;
};

} // namespace vardex::testing
