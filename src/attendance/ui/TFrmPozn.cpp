#include "attendance/ui/TFrmPozn.h"

#include "platform/FileChooser.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vardex {

namespace {

FileRequest listRequest(const QString &title)
{
    FileRequest r;
    r.title = title;
    r.initialName = QLatin1String(PlanNotes::FileName);
    r.defaultExtension = QStringLiteral("TXT");
    r.filter = QStringLiteral("Seznam poznámek|*.TXT|Všechny soubory|*.*");
    return r;
}

} // namespace

TFrmPozn::TFrmPozn(const QString &note, FileChooser &files, OperatorMessages &messages,
                   QWidget *parent)
    : QDialog(parent), m_files(files), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Poznámka"));
    setObjectName(QStringLiteral("TFrmPozn"));
    m_list = new QListWidget(this);
    m_text = new QLineEdit(note, this);
    m_text->setMaxLength(PlanNotes::MaxLength);
    m_add = new QPushButton(QStringLiteral("Do seznamu"), this);
    m_save = new QPushButton(QStringLiteral("Uložit seznam"), this);
    m_load = new QPushButton(QStringLiteral("Načíst seznam"), this);
    auto *done = new QPushButton(QStringLiteral("Hotovo"), this);
    auto *cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 6, 1);
    layout->addWidget(m_text, 0, 1);
    int row = 1;
    for (QPushButton *b : {m_add, m_save, m_load, done, cancel})
        layout->addWidget(b, row++, 1);
    makeButtonsPlain(this);
    showNotes();

    connect(m_list, &QListWidget::currentTextChanged, m_text, &QLineEdit::setText);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_add, &QPushButton::clicked, this, [this] {
        m_notes.add(m_text->text());
        showNotes();
    });
    connect(m_save, &QPushButton::clicked, this, &TFrmPozn::saveList);
    connect(m_load, &QPushButton::clicked, this, &TFrmPozn::loadList);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> TFrmPozn::editNote(const QString &note, FileChooser &files,
                                          OperatorMessages &messages, QWidget *parent)
{
    TFrmPozn dialog(note, files, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textField()->text().trimmed();
}

void TFrmPozn::showNotes()
{
    m_list->clear();
    m_list->addItems(m_notes.entries());
}

void TFrmPozn::saveList()
{
    const std::optional<QString> path =
        m_files.chooseSave(listRequest(QStringLiteral("Uložit seznam poznámek")));
    if (!path)
        return;
    if (const Result<void> saved = m_notes.save(*path); !saved)
        m_messages.error(saved.error());
}

void TFrmPozn::loadList()
{
    const std::optional<QString> path =
        m_files.chooseOpen(listRequest(QStringLiteral("Načíst seznam poznámek")));
    if (!path)
        return;
    if (const Result<void> loaded = m_notes.load(*path); !loaded)
        m_messages.error(loaded.error());
    showNotes();
}

} // namespace vardex
