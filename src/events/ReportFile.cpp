#include "events/ReportFile.h"

#include "text/LineFile.h"

#include <QFileInfo>

namespace vardex {

namespace {

Result<void> written(const FileWritten &w)
{
    if (!w.ok)
        return Failure{w.error};
    return {};
}

} // namespace

QString reportFilePath(const QString &outputDir)
{
    return outputDir + QStringLiteral("WKVR.RTF");
}

Result<void> writeReportFile(const QString &outputDir, const QStringList &lines)
{
    return written(writeLineFile(reportFilePath(outputDir), lines));
}

Result<QStringList> readReportFile(const QString &outputDir)
{
    const QString path = reportFilePath(outputDir);
    // A folder of that name is no report either; reading it would only give
    // a less helpful message.
    if (!QFileInfo(path).isFile())
        return Failure{QStringLiteral("Žádná data pro výstup"), NoReportData};
    LinesRead read = readLines(path);
    if (!read.ok)
        return Failure{read.error};
    return std::move(read.lines);
}

Result<void> saveReportText(const QString &path, const QStringList &lines, SaveMode mode)
{
    QStringList text = lines;
    for (int i = 0; i < 4; ++i)
        text.append(QString());
    return written(mode == SaveMode::Append ? appendLineFile(path, text)
                                            : writeLineFile(path, text));
}

} // namespace vardex
