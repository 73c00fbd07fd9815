#include "platform/ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vardex {

namespace {

struct ButtonChoice
{
    QMessageBox::StandardButton button;
    const char *text;
    Answer answer;
};

Answer run(QWidget *parent, QMessageBox::Icon icon, const QString &text,
           std::initializer_list<ButtonChoice> buttons)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::NoButton,
                    parent);
    for (const ButtonChoice &b : buttons)
        box.addButton(b.button)->setText(QString::fromUtf8(b.text));
    box.setDefaultButton(buttons.begin()->button);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonChoice &b : buttons)
        if (b.button == clicked)
            return b.answer;
    // Closing the box with Escape or the window frame counts as the last,
    // safest button.
    return (buttons.end() - 1)->answer;
}

} // namespace

void MessageBoxes::information(const QString &text)
{
    run(m_parent, QMessageBox::Information, text, {{QMessageBox::Ok, "OK", Answer::Ok}});
}

void MessageBoxes::warning(const QString &text)
{
    run(m_parent, QMessageBox::Warning, text, {{QMessageBox::Ok, "OK", Answer::Ok}});
}

void MessageBoxes::error(const QString &text)
{
    run(m_parent, QMessageBox::Critical, text, {{QMessageBox::Ok, "OK", Answer::Ok}});
}

Answer MessageBoxes::askYesNo(const QString &text)
{
    return run(m_parent, QMessageBox::Question, text,
               {{QMessageBox::Yes, "Ano", Answer::Yes}, {QMessageBox::No, "Ne", Answer::No}});
}

Answer MessageBoxes::askYesNoCancel(const QString &text)
{
    return run(m_parent, QMessageBox::Question, text,
               {{QMessageBox::Yes, "Ano", Answer::Yes},
                {QMessageBox::No, "Ne", Answer::No},
                {QMessageBox::Cancel, "Zrušit", Answer::Cancel}});
}

Answer MessageBoxes::askOkCancel(const QString &text)
{
    return run(
        m_parent, QMessageBox::Question, text,
        {{QMessageBox::Ok, "OK", Answer::Ok}, {QMessageBox::Cancel, "Zrušit", Answer::Cancel}});
}

} // namespace vardex
