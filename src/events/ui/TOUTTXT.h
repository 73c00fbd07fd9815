#pragma once

#include "base/Result.h"

#include <QDialog>
#include <QFont>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QToolButton;

namespace vardex {

class FileChooser;
class OperatorMessages;

// The platform's printing dialogs as the output window opens them. They
// default to Qt's dialogs; tests answer them instead.
struct ReportPrintDialogs
{
    // The print dialog on the window's printer; true to print.
    std::function<bool(QPrinter &, QWidget *)> print;
    // The printer setup dialog on the window's printer.
    std::function<void(QPrinter &, QWidget *)> pageSetup;
    // A font dialog that starts with the given font; the chosen font, or
    // nothing when cancelled.
    std::function<std::optional<QFont>(const QFont &, QWidget *)> font;

    static ReportPrintDialogs qtDialogs();
};

// "Manipulace se zpracovaným výstupem": shows the report file, lets the
// operator correct it by hand, print it or save it to a text file. The
// corrections live only in the window: the report file stays as produced.
class TOUTTXT : public QDialog
{
    Q_OBJECT
public:
    TOUTTXT(const QString &outputDir, FileChooser &files, OperatorMessages &messages,
            QWidget *parent = nullptr);
    ~TOUTTXT() override;

    // Opens the window modally on the report file; without a report file
    // (or when it cannot be read) says so and returns Rejected at once.
    static int showReport(const QString &outputDir, FileChooser &files, OperatorMessages &messages,
                          QWidget *parent = nullptr);

    // Loads the report file into the text area, dropping manual changes.
    Result<void> reload();

    ReportPrintDialogs dialogs = ReportPrintDialogs::qtDialogs();

    QPlainTextEdit *textArea() const { return m_text; }
    QToolButton *printButton() const { return m_print; }
    QToolButton *saveButton() const { return m_save; }
    QToolButton *manualButton() const { return m_manual; }
    QLabel *editableLabel() const { return m_editable; }
    QToolButton *originalButton() const { return m_original; }
    QToolButton *fontButton() const { return m_font; }
    QToolButton *printerButton() const { return m_printer; }

public Q_SLOTS:
    void printClicked();
    void saveClicked();
    void manualToggled(bool on);
    void originalClicked();
    void fontClicked();
    void printerClicked();

private:
    QPrinter &printer();
    QStringList currentLines() const;
    void showFailure(const Failure &failure);

    QString m_outputDir;
    FileChooser &m_files;
    OperatorMessages &m_messages;
    std::unique_ptr<QPrinter> m_printerDevice;
    QPlainTextEdit *m_text = nullptr;
    QToolButton *m_print = nullptr;
    QToolButton *m_save = nullptr;
    QToolButton *m_manual = nullptr;
    QLabel *m_editable = nullptr;
    QToolButton *m_original = nullptr;
    QToolButton *m_font = nullptr;
    QToolButton *m_printer = nullptr;
};

} // namespace vardex
