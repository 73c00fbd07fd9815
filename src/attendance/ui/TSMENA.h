#pragma once

#include "attendance/ShiftEditor.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vardex {

class FileChooser;
class OperatorMessages;
class TVXDM;

// "Časový průběh směny": one day's shift with its name. A click on a
// section opens the section window, on "Odpracovat" recomputes the
// required time, on "Noc" toggles crossing midnight; the five templates
// fill the day, "Podle seznamu" takes a shift from the shift database.
// "Hotovo" needs a required time that parses and, where the caller asks
// for one, a name.
class TSMENA : public QDialog
{
    Q_OBJECT
public:
    TSMENA(const DayShift &day, const QString &name, bool nameRequired, TVXDM &vx,
           OperatorMessages &messages, FileChooser &files, QWidget *parent = nullptr);

    // Shows the window modally; on "Hotovo" the day and name are updated
    // and true returned.
    static bool editShift(DayShift &day, QString &name, bool nameRequired, TVXDM &vx,
                          OperatorMessages &messages, FileChooser &files, QWidget *parent);

    const ShiftEditor &editor() const { return m_editor; }
    QLineEdit *nameField() const { return m_name; }
    QPushButton *sectionButton(int which) const { return m_sections[size_t(which - 1)]; }
    QLineEdit *requiredField() const { return m_required; }
    QPushButton *requiredLabel() const { return m_requiredLabel; }
    QPushButton *crossingLabel() const { return m_crossingLabel; }
    QCheckBox *crossingBox() const { return m_crossing; }
    QPushButton *templateButton(ShiftTemplate which) const { return m_templates[size_t(which)]; }
    QPushButton *fromListButton() const { return m_fromList; }
    QPushButton *doneButton() const { return m_done; }

private:
    void editSection(int which);
    void showDay();

    ShiftEditor m_editor;
    TVXDM &m_vx;
    OperatorMessages &m_messages;
    FileChooser &m_files;
    QLineEdit *m_name = nullptr;
    std::array<QPushButton *, 2> m_sections{};
    QLineEdit *m_required = nullptr;
    QPushButton *m_requiredLabel = nullptr;
    QPushButton *m_crossingLabel = nullptr;
    QCheckBox *m_crossing = nullptr;
    std::array<QPushButton *, 5> m_templates{};
    QPushButton *m_fromList = nullptr;
    QPushButton *m_done = nullptr;
};

} // namespace vardex
