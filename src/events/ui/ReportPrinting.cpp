#include "events/ui/ReportPrinting.h"

#include "events/PrintLayout.h"
#include "text/LineFile.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace vardex {

namespace {

QString printFailed()
{
    return QStringLiteral("Tisk se nezdařil");
}

} // namespace

QFont defaultReportFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    font.setStyleHint(QFont::TypeWriter);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(10);
    return fixed;
}

Result<QFont> parseReportFont(const QString &written)
{
    const qsizetype comma = written.lastIndexOf(u',');
    const QString family = written.left(comma).trimmed();
    bool number = false;
    const double size = written.mid(comma + 1).trimmed().toDouble(&number);
    if (comma < 0 || family.isEmpty() || !number || !(size >= 1 && size <= 200))
        return Failure{QStringLiteral("Chybně zadaný font: %1 (zadejte RODINA,VELIKOST, "
                                      "např. \"DejaVu Sans Mono,9\")")
                           .arg(written)};
    QFont font(family);
    font.setPointSizeF(size);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

Result<int> printReport(QPrinter &printer, const QStringList &lines, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return Failure{printFailed()};
    painter.setFont(font);
    // Metrics at the printer's resolution. The widest of these letters is
    // the pitch, so a proportional font the operator chose still fits.
    const QFontMetricsF metrics(painter.font(), &printer);
    const double pitch = std::max({metrics.horizontalAdvance(u'M'), metrics.horizontalAdvance(u'W'),
                                   metrics.averageCharWidth()});
    const double lineHeight = metrics.lineSpacing();
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const int columns = int(std::floor(area.width() / pitch));
    const int rows = int(std::floor(area.height() / lineHeight));
    QList<QStringList> pages = layoutPages(lines, columns, rows);
    if (pages.isEmpty())
        pages.append(QStringList());
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            return Failure{printFailed()};
        }
        double y = metrics.ascent();
        for (const QString &line : pages[p]) {
            painter.drawText(QPointF(0, y), line);
            y += lineHeight;
        }
    }
    if (!painter.end())
        return Failure{printFailed()};
    return int(pages.size());
}

Result<int> writeReportPdf(const QString &pdfPath, const QString &title, const QStringList &lines,
                           const QFont &font)
{
    // The printer writes its file as it goes; it renders into a private
    // folder, and the finished document replaces the file in one step.
    const QTemporaryDir work;
    if (!work.isValid())
        return Failure{QStringLiteral("Chyba zápisu do souboru: %1").arg(pdfPath)};
    const QString rendered = work.filePath(QStringLiteral("report.pdf"));
    int pages = 0;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(rendered);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setDocName(title);
        printer.setCreator(QStringLiteral("VARDEX"));
        const Result<int> printed = printReport(printer, lines, font);
        if (!printed)
            return printed.failure();
        pages = *printed;
    }
    QFile file(rendered);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor nelze otevřít: %1").arg(rendered)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Chyba čtení souboru: %1").arg(rendered)};
    if (const FileWritten written = writeWholeFile(pdfPath, bytes); !written.ok)
        return Failure{written.error};
    return pages;
}

} // namespace vardex
