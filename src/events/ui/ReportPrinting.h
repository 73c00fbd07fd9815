#pragma once

#include "base/Result.h"

#include <QFont>
#include <QStringList>

class QPrinter;

namespace vardex {

// The font reports are shown and printed in: fixed pitch, so that their
// columns line up ("DejaVu Sans Mono" 10 pt, else the system's fixed font).
QFont defaultReportFont();

// A font written as "FAMILY,SIZE", e.g. "DejaVu Sans Mono,9" (size in
// points, may have decimals).
Result<QFont> parseReportFont(const QString &written);

// Prints the lines page by page in `font`: as many columns and rows as the
// printer's page holds, lines wider than the page continued on the next
// printed line (layoutPages). An empty report prints one empty page. The
// number of pages printed.
Result<int> printReport(QPrinter &printer, const QStringList &lines, const QFont &font);

// The lines as a PDF file on A4, laid out as printing lays them out, with
// `title` as the document's title. The file appears only when it is
// complete; a failure leaves an earlier file as it was. The number of pages.
Result<int> writeReportPdf(const QString &pdfPath, const QString &title, const QStringList &lines,
                           const QFont &font);

} // namespace vardex
