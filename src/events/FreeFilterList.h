#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

// The operator's own filter expressions for the event browser, kept one per
// line in "WKVRFLTR.TXT" in the working directory (cp1250, CR LF).
class FreeFilterList
{
public:
    explicit FreeFilterList(const QString &workDir);

    static QString fileName() { return QStringLiteral("WKVRFLTR.TXT"); }
    QString path() const;
    bool fileExists() const;

    const QStringList &expressions() const { return m_expressions; }
    // Adds a text that is not empty and not in the list yet; whether it did.
    bool add(const QString &expression);
    void clear() { m_expressions.clear(); }

    // The file's lines replace the list. A missing file is
    // "Seznam WKVRFLTR.TXT neexistuje!" and leaves the list as it was.
    Result<void> read();
    // The question asked before an existing file is replaced.
    QString overwriteQuestion() const;
    // Writes the list to the file, replacing it.
    Result<void> write() const;

private:
    QString m_workDir;
    QStringList m_expressions;
};

} // namespace vardex
