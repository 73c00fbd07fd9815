#pragma once

#include "QtPrinters.h"
#include "platform/OperatorMessages.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

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
    // The texts shown, of one kind or of all.
    QStringList texts(std::optional<Kind> kind = std::nullopt) const;
    void clear() { m_shown.clear(); }

    // Called as each message is shown, to look at the windows at that moment.
    std::function<void(const Shown &)> onShown;

    void information(const QString &text) override { show({Kind::Information, text}); }
    void warning(const QString &text) override { show({Kind::Warning, text}); }
    void error(const QString &text) override { show({Kind::Error, text}); }
    Answer askYesNo(const QString &t) override { return next(Kind::YesNo, t); }
    Answer askYesNoCancel(const QString &t) override { return next(Kind::YesNoCancel, t); }
    Answer askOkCancel(const QString &t) override { return next(Kind::OkCancel, t); }

private:
    void show(const Shown &shown)
    {
        m_shown.append(shown);
        if (onShown)
            onShown(shown);
    }

    Answer next(Kind kind, const QString &text);

    QList<Answer> m_answers;
    QList<Shown> m_shown;
};

} // namespace vardex::testing
