#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

// The notes the note editor offers for a planned day: the usual reasons of
// absence, and what the operator added or loaded from "DUVODY.TXT".
class PlanNotes
{
public:
    PlanNotes();

    // "DOVOL.", "NÁHR.V.", "NEMOC", "NEPL.V.", "OČR", "SL.CESTA", "ZÁK.VOL."
    static QStringList defaults();
    // A note holds at most this many characters.
    static constexpr int MaxLength = 8;
    static constexpr auto FileName = "DUVODY.TXT";

    const QStringList &entries() const { return m_entries; }
    // Adds the text, cut to MaxLength, unless it is empty or listed.
    void add(const QString &text);

    // The list to and from a cp1250 text file, one entry a line.
    Result<void> save(const QString &path) const;
    Result<void> load(const QString &path);

private:
    QStringList m_entries;
};

} // namespace vardex
