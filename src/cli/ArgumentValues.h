#pragma once

#include "base/Result.h"
#include "text/KeyNumber.h"

#include <QDate>
#include <QString>

namespace vardex {

// The value kinds every command writes the same way; a malformed value is a
// failure whose message names the value and the expected form.

// "dd.mm.yyyy", a real day.
Result<QDate> dateArgument(const QString &text);
// "hh:mm", 00:00 to 23:59, as the hour-minute word (hours × 256 + minutes).
Result<quint16> timeArgument(const QString &text);
// 14 hexadecimal digits (either case), the empty key 00000000000000 refused.
Result<KeyBytes> keyArgument(const QString &text);
// A unit address: two hexadecimal digits.
Result<quint8> addressArgument(const QString &text);
// A whole number of at least `minimum`.
Result<int> numberArgument(const QString &text, int minimum);

} // namespace vardex
