#pragma once

#include "base/Result.h"
#include "platform/FileChooser.h"

#include <QStringList>
#include <functional>

namespace vardex {

// The operator's answer when the chosen file already exists.
enum class ExistingFileChoice { Overwrite, Append, Cancel };

// How saving the output window's text ended.
enum class ReportSaveEnd {
    Saved,     // written; the output window closes
    NotChosen, // the save dialog was cancelled; the window closes too
    KeptOpen,  // cancelled in the overwrite question; the window stays
};

// The save dialog of the output window: "VYSTUP.TXT" in the output directory.
FileRequest reportSaveRequest(const QString &outputDir);

// "Uložit do souboru VYSTUP.TXT": asks for the file, asks `askExisting` when
// it exists, and saves `lines` (see saveReportText). The current directory
// is the same afterwards, whatever the dialogs did to it. A write failure is
// returned, not shown.
Result<ReportSaveEnd> saveReportAs(const QString &outputDir, const QStringList &lines,
                                   FileChooser &files,
                                   const std::function<ExistingFileChoice()> &askExisting);

} // namespace vardex
