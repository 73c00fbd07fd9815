#include "events/ui/TOUTTXT.h"

#include "events/ReportFile.h"
#include "events/ReportSave.h"
#include "events/ui/ReportPrinting.h"
#include "events/ui/TFrmFEx.h"
#include "platform/OperatorMessages.h"

#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

QToolButton *toolButton(const QString &text, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Like a toolbar's buttons they never take the focus from the text.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QGroupBox *toolGroup(const QString &title, const QList<QWidget *> &widgets, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QHBoxLayout(group);
    for (QWidget *w : widgets) {
        w->setParent(group);
        layout->addWidget(w);
    }
    return group;
}

} // namespace

ReportPrintDialogs ReportPrintDialogs::qtDialogs()
{
    ReportPrintDialogs d;
    d.print = [](QPrinter &printer, QWidget *parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    d.pageSetup = [](QPrinter &printer, QWidget *parent) {
        QPageSetupDialog dialog(&printer, parent);
        dialog.exec();
    };
    d.font = [](const QFont &initial, QWidget *parent) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        return font;
    };
    return d;
}

TOUTTXT::TOUTTXT(const QString &outputDir, FileChooser &files, OperatorMessages &messages,
                 QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint),
      m_outputDir(outputDir), m_files(files), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Manipulace se zpracovaným výstupem"));
    setObjectName(QStringLiteral("TOUTTXT"));

    m_print = toolButton(QStringLiteral("dialog před tiskem"), this);
    m_save = toolButton(QStringLiteral("Uložit do souboru VYSTUP.TXT"), this);
    m_manual = toolButton(QStringLiteral("manuální oprava"), this);
    m_manual->setCheckable(true);
    m_editable = new QLabel(QStringLiteral("lze opravovat"), this);
    m_editable->setVisible(false);
    m_original = toolButton(QStringLiteral("původní výstup"), this);
    m_font = toolButton(QStringLiteral("nastavení fontů tiskárny"), this);
    m_printer = toolButton(QStringLiteral("nastavení tiskárny"), this);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFont(defaultReportFont());

    auto *tools = new QHBoxLayout;
    tools->addWidget(toolGroup(QStringLiteral("Možnosti"), {m_print, m_save}, this));
    tools->addWidget(toolGroup(QStringLiteral("Úpravy"), {m_manual, m_editable, m_original}, this));
    tools->addWidget(toolGroup(QStringLiteral("Nastavení"), {m_font, m_printer}, this));
    tools->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_text, 1);
    resize(800, 560);

    connect(m_print, &QToolButton::clicked, this, &TOUTTXT::printClicked);
    connect(m_save, &QToolButton::clicked, this, &TOUTTXT::saveClicked);
    connect(m_manual, &QToolButton::toggled, this, &TOUTTXT::manualToggled);
    connect(m_original, &QToolButton::clicked, this, &TOUTTXT::originalClicked);
    connect(m_font, &QToolButton::clicked, this, &TOUTTXT::fontClicked);
    connect(m_printer, &QToolButton::clicked, this, &TOUTTXT::printerClicked);
    m_text->setFocus();
}

TOUTTXT::~TOUTTXT() = default;

int TOUTTXT::showReport(const QString &outputDir, FileChooser &files, OperatorMessages &messages,
                        QWidget *parent)
{
    TOUTTXT window(outputDir, files, messages, parent);
    if (const Result<void> loaded = window.reload(); !loaded) {
        window.showFailure(loaded.failure());
        return QDialog::Rejected;
    }
    return window.exec();
}

Result<void> TOUTTXT::reload()
{
    Result<QStringList> lines = readReportFile(m_outputDir);
    if (!lines)
        return lines.failure();
    m_text->setPlainText(lines->join(u'\n'));
    return {};
}

void TOUTTXT::printClicked()
{
    QPrinter &device = printer();
    device.setDocName(reportFilePath(m_outputDir));
    if (!dialogs.print || !dialogs.print(device, this))
        return;
    if (const Result<int> printed = printReport(device, currentLines(), m_text->font()); !printed) {
        showFailure(printed.failure());
        return;
    }
    accept();
}

void TOUTTXT::saveClicked()
{
    const Result<ReportSaveEnd> saved =
        saveReportAs(m_outputDir, currentLines(), m_files, [this] { return TFrmFEx::ask(this); });
    if (!saved) {
        showFailure(saved.failure());
        return;
    }
    switch (*saved) {
    case ReportSaveEnd::Saved:
        accept();
        break;
    case ReportSaveEnd::NotChosen:
        reject();
        break;
    case ReportSaveEnd::KeptOpen:
        break;
    }
}

void TOUTTXT::manualToggled(bool on)
{
    m_text->setReadOnly(!on);
    m_editable->setVisible(on);
}

void TOUTTXT::originalClicked()
{
    if (const Result<void> loaded = reload(); !loaded)
        showFailure(loaded.failure());
}

void TOUTTXT::fontClicked()
{
    if (!dialogs.font)
        return;
    if (const std::optional<QFont> font = dialogs.font(m_text->font(), this))
        m_text->setFont(*font);
}

void TOUTTXT::printerClicked()
{
    if (dialogs.pageSetup)
        dialogs.pageSetup(printer(), this);
}

QPrinter &TOUTTXT::printer()
{
    // Made on first use: looking up the system's printers can take a while.
    if (!m_printerDevice)
        m_printerDevice = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printerDevice;
}

QStringList TOUTTXT::currentLines() const
{
    return m_text->toPlainText().split(u'\n');
}

void TOUTTXT::showFailure(const Failure &failure)
{
    if (failure.code == NoReportData)
        m_messages.information(failure.message);
    else
        m_messages.error(failure.message);
}

} // namespace vardex
