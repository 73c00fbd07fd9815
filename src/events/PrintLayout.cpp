#include "events/PrintLayout.h"

#include <algorithm>

namespace vardex {

namespace {

constexpr int TabWidth = 8;

QString expandTabs(const QString &line)
{
    if (!line.contains(u'\t'))
        return line;
    QString out;
    out.reserve(line.size() + TabWidth);
    for (const QChar c : line) {
        if (c == u'\t')
            out.append(QString(TabWidth - out.size() % TabWidth, u' '));
        else
            out.append(c);
    }
    return out;
}

QString withoutTrailingSpaces(QString line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    line.truncate(end);
    return line;
}

} // namespace

QList<QStringList> layoutPages(const QStringList &lines, int columns, int rowsPerPage)
{
    columns = std::max(columns, 1);
    rowsPerPage = std::max(rowsPerPage, 1);
    QStringList printed;
    for (const QString &line : lines) {
        const QString text = withoutTrailingSpaces(expandTabs(line));
        if (text.isEmpty()) {
            printed.append(QString());
            continue;
        }
        for (qsizetype at = 0; at < text.size(); at += columns)
            printed.append(text.mid(at, columns));
    }
    QList<QStringList> pages;
    for (qsizetype at = 0; at < printed.size(); at += rowsPerPage)
        pages.append(printed.mid(at, rowsPerPage));
    return pages;
}

} // namespace vardex
