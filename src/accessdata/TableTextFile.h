#pragma once

#include "tables/TableSchema.h"
#include "text/LineFile.h"

#include <QList>
#include <QString>

#include <functional>

namespace vardex {

class Table;

// The plain-text copy of a whole table: one line per record, every field in
// definition order cut or padded to its width, then "#" and CR LF, cp1250.
// The routine knows nothing of any particular table.

// Width of a field in the text file. A text field takes its defined size
// (255 when it has none); the other types take the width of their longest
// text: Integer and AutoInc 11 ("-2147483648"), Float 24 (the shortest
// text that reads back to the same number, "-2.2250738585072014e-308" at
// most), Date 10 ("dd.mm.yyyy"), Time 8 ("hh:mm:ss"), DateTime 19
// ("dd.mm.yyyy hh:mm:ss"), Boolean 5 ("True"/"False"), Bytes two hex
// digits per byte.
int textFileWidth(const FieldDef &field);

// The line of the current record of `table`: every field fitted to its
// width, then "#" (no line end).
QString tableTextLine(const Table &table);

// Writes every record of the table file in primary-index order, whatever
// the order, filter or position of `table`; the caller's cursor does not
// move (a second cursor on the same file walks it). A record being edited
// in `table` is written as it stands in the file. `error` holds the Czech
// message when !ok.
FileWritten exportTableText(Table &table, const QString &path);

// A line the import left out: its number (1-based), its text and why.
struct TextImportIssue
{
    int lineNo = 0;
    QString line;
    QString message;
};

struct TextImportHandlers
{
    // A line without the closing "#", or not as long as the record: true
    // skips it and goes on, false ends the import. Without a handler the
    // line is skipped.
    std::function<bool(int lineNo, const QString &line)> badLine;
    // The table refused the record of a line (the engine's message); the
    // record is dropped and the import goes on.
    std::function<void(int lineNo, const QString &message)> refused;
};

// What a line left out does to the rest of the import.
enum class TextImportMode {
    SkipBadLines, // reported and left out; the other lines are kept
    AllOrNothing, // reported, and the whole import is rolled back at the end
};

struct TextImportResult
{
    bool ok = false;
    QString error; // Czech message when !ok
    int imported = 0;
    QList<TextImportIssue> skipped; // bad and refused lines, in file order
    bool stopped = false;           // ended at a bad line by the handler's choice
    bool rolledBack = false;        // nothing changed: the table has its old content
};

// Reads the whole file first (a file that cannot be read changes nothing),
// then in one transaction empties the table when `emptyFirst` and appends
// one record per good line: each field takes the next width characters,
// blanks around them removed, an empty text leaving the field empty. A line
// without the closing "#", or whose length without it is not the sum of the
// widths, is a bad line (`badLine`). A refused record is reported through
// `refused` (once: the table's own post-error handler is set aside during
// the import) and reading goes on.
// Ending at a bad line keeps the records imported before it, unless the
// table was emptied first: then nothing is kept. In AllOrNothing mode every
// line is still read and reported, and any line left out rolls the whole
// import back. A rolled-back import is not ok: `error` says why and
// `skipped` lists the lines. When the work cannot be committed it is rolled
// back whole and `error` says why.
TextImportResult importTableText(Table &table, const QString &path, bool emptyFirst,
                                 const TextImportHandlers &handlers,
                                 TextImportMode mode = TextImportMode::SkipBadLines);

} // namespace vardex
