#include "attendance/TVXDM.h"

#include "attendance/ShiftRecord.h"
#include "platform/OperatorMessages.h"

namespace vardex {

void TVXDM::installPostRules()
{
    // A holiday's year is never typed: it follows the date on every post.
    tbSva.beforePost = [](Table &t) {
        const QDateTime date = t.asDateTime(QStringLiteral("Datum"));
        return t.setString(QStringLiteral("ROK"),
                           date.isValid() ? date.toString(QStringLiteral("yyyy")) : QString());
    };
    // A shift whose texts do not parse would stop every schedule that
    // names it; it is refused like any refused post.
    tbSme.beforePost = [](Table &t) {
        const Result<void> check = checkShiftRecord(t);
        if (!check && t.onPostError)
            t.onPostError(t, PostError::EngineError, check.error());
        return check.ok();
    };
    tbSme.onPostError = [this](Table &, int code, const QString &message) {
        m_messages.error(code == PostError::KeyViolation ? QStringLiteral("Duplicitní název směny")
                                                         : message);
        return PostErrorAction::Abort;
    };
}

} // namespace vardex
