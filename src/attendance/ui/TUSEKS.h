#pragma once

#include "attendance/SectionEditor.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vardex {

// "Úprava časového úseku": the starts and ends of a section's mandatory and
// optional part on eight counters, each part shown as its times and as a
// bar over the day. "Použít" keeps the section, "Přerušit" drops it.
class TUSEKS : public QDialog
{
    Q_OBJECT
public:
    explicit TUSEKS(const ShiftSection &section, QWidget *parent = nullptr);

    // Shows the window modally; the section on "Použít", else nothing.
    static std::optional<ShiftSection> editSection(const ShiftSection &section, QWidget *parent);

    const ShiftSection &section() const { return m_editor.section(); }
    // Start hour, start minute, end hour, end minute of a part.
    QSpinBox *counter(SectionEditor::Part part, int index) const;
    QLabel *partLabel(SectionEditor::Part part) const;
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QWidget *partBox(SectionEditor::Part part, const QString &title);
    void counterChanged(SectionEditor::Part part, int index, int value);
    void showSection();

    SectionEditor m_editor;
    std::array<std::array<QSpinBox *, 4>, 2> m_counters{};
    std::array<QLabel *, 2> m_texts{};
    std::array<QWidget *, 2> m_bars{};
    QPushButton *m_apply = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace vardex
