#include "events/ui/TOUTTXT.h"
#include "events/ReportFile.h"
#include "events/ui/ReportPrinting.h"
#include "events/ui/TFrmFEx.h"
#include "text/LineFile.h"

#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QDir>
#include <QLabel>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

namespace {

struct Site
{
    TempDir dir;
    QString out = dir.path() + QDir::separator();
    ScriptedFileChooser files;
    ScriptedMessages messages;

    explicit Site(const QStringList &report) { EXPECT_TRUE(writeReportFile(out, report).ok()); }
};

// Answers the overwrite question that the next click opens.
void answerExisting(QPushButton *(TFrmFEx::*button)() const)
{
    QTimer::singleShot(0, [button] {
        auto *dialog = qobject_cast<TFrmFEx *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no overwrite question";
        (dialog->*button)()->click();
    });
}

// The output of a poppler tool on `pdf`.
QString poppler(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << tool.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A field of the PDF's information, e.g. "Pages".
QString pdfInfo(const QString &pdf, const QString &field)
{
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    return info.section(field + u':', 1).section(u'\n', 0, 0).trimmed();
}

} // namespace

TEST(TOUTTXT, SavingOverwritesAppendsOrKeepsTheWindowAsTheOperatorAnswers)
{
    using Button = QPushButton *(TFrmFEx::*)() const;
    struct Case
    {
        bool exists;
        Button answer; // nullptr: no question expected
        bool chosen;
        QStringList expected; // the file afterwards
        int result;           // -2: the window stays open
    };
    const QStringList saved = {"a", "b", "", "", "", ""};
    const QStringList old = {QStringLiteral("staré")};
    const Case cases[] = {
        {false, nullptr, true, saved, QDialog::Accepted},
        {true, &TFrmFEx::overwriteButton, true, saved, QDialog::Accepted},
        {true, &TFrmFEx::appendButton, true, old + saved, QDialog::Accepted},
        {true, &TFrmFEx::cancelButton, true, old, -2},
        {true, nullptr, false, old, QDialog::Rejected},
    };
    for (const Case &c : cases) {
        Site site({"a", "b"});
        const QString path = site.dir.file(QStringLiteral("vystup.txt"));
        if (c.exists) {
            ASSERT_TRUE(writeLineFile(path, old).ok);
        }
        site.files.choose(c.chosen ? std::optional(path) : std::nullopt);
        TOUTTXT window(site.out, site.files, site.messages);
        ASSERT_TRUE(window.reload().ok());
        const int result = execDriven(window, [&] {
            if (c.answer)
                answerExisting(c.answer);
            window.saveButton()->click();
            if (window.isVisible())
                window.done(-2);
        });
        EXPECT_EQ(result, c.result) << c.exists << c.chosen;
        EXPECT_EQ(readLines(path).lines, c.expected);
        EXPECT_EQ(site.files.saveRequests().value(0).initialDir, site.out);
        EXPECT_TRUE(site.messages.shown().isEmpty());
    }
}

TEST(TOUTTXT, CorrectionsAreSavedButTheReportFileKeepsTheOutputAsProduced)
{
    {
        Site none({});
        ASSERT_TRUE(QFile::remove(reportFilePath(none.out)));
        EXPECT_EQ(TOUTTXT::showReport(none.out, none.files, none.messages), QDialog::Rejected);
        EXPECT_EQ(none.messages.texts(), QStringList{QStringLiteral("Žádná data pro výstup")});
    }
    Site site({QStringLiteral("Příchod 07:55")});
    const QString path = site.dir.file(QStringLiteral("VYSTUP.TXT"));
    site.files.choose(path);
    TOUTTXT window(site.out, site.files, site.messages);
    ASSERT_TRUE(window.reload().ok());
    const QString produced = window.textArea()->toPlainText();
    EXPECT_EQ(execDriven(window,
                         [&] {
                             EXPECT_TRUE(window.textArea()->isReadOnly());
                             EXPECT_EQ(window.focusWidget(), window.textArea());
                             window.manualButton()->click();
                             EXPECT_FALSE(window.textArea()->isReadOnly());
                             EXPECT_TRUE(window.editableLabel()->isVisible());
                             window.textArea()->setPlainText(QStringLiteral("omyl"));
                             window.originalButton()->click();
                             EXPECT_EQ(window.textArea()->toPlainText(), produced);
                             window.textArea()->setPlainText(QStringLiteral("Příchod 07:50"));
                             window.saveButton()->click();
                         }),
              QDialog::Accepted);
    EXPECT_EQ(readLines(path).lines.value(0), QStringLiteral("Příchod 07:50"));
    EXPECT_EQ(readReportFile(site.out).valueOr({}), QStringList{produced});
}

// Printing lays the report out as writeReportPdf does, in the font chosen in
// the window, and nothing is lost: every line and the end of a long one.
TEST(TOUTTXT, PrintsToAPdfInTheChosenFontWithTheReportPathAsTitle)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    QStringList report;
    for (int i = 1; i <= 150; ++i)
        report << QStringLiteral("řádek %1").arg(i, 3, 10, QLatin1Char('0'));
    // Digits, not dashes: pdftotext joins a line that ends in "-" to the next
    // one without it.
    const QString longLine = QStringLiteral("0123456789").repeated(30) + QStringLiteral("KONEC");
    report << longLine;
    Site site(report);
    const QString printed = site.dir.file(QStringLiteral("tisk.pdf"));
    QFont big = defaultReportFont();
    big.setPointSize(20);

    TOUTTXT window(site.out, site.files, site.messages);
    ASSERT_TRUE(window.reload().ok());
    window.dialogs.font = [&](const QFont &initial, QWidget *) {
        EXPECT_EQ(initial, defaultReportFont());
        return std::optional(big);
    };
    window.dialogs.print = [&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    };
    EXPECT_EQ(execDriven(window,
                         [&] {
                             window.fontButton()->click();
                             window.printButton()->click();
                         }),
              QDialog::Accepted);
    EXPECT_TRUE(site.messages.shown().isEmpty());

    const QString pdf = site.dir.file(QStringLiteral("report.pdf"));
    const Result<int> bigPages = writeReportPdf(pdf, QStringLiteral("x"), report, big);
    ASSERT_TRUE(bigPages.ok()) << bigPages.error().toStdString();
    const Result<int> smallPages =
        writeReportPdf(pdf, QStringLiteral("x"), report, defaultReportFont());
    ASSERT_TRUE(smallPages.ok());
    EXPECT_GT(*bigPages, *smallPages);
    EXPECT_EQ(pdfInfo(printed, QStringLiteral("Pages")).toInt(), *bigPages);
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), *smallPages);
    EXPECT_EQ(pdfInfo(printed, QStringLiteral("Title")), reportFilePath(site.out));
    const QString text = poppler(QStringLiteral("pdftotext"), {printed, QStringLiteral("-")});
    for (const QString &line : report.mid(0, 150))
        EXPECT_TRUE(text.contains(line)) << line.toStdString();
    // The long line goes on over printed lines, not a character lost.
    QString joined = text;
    joined.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(joined.contains(longLine));
}
