#pragma once

#include "admin/PermissionGroupEditor.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vardex {

// "Atribut oprávnění pro vybranou hardwarovou jednotku": for an expander
// the group "Platí pro" with its four doors (the unit's input names), for
// a barrier unit its two barriers and the choice "Druh klíče"; "přerušit"
// and "potvrdit".
class TFrmAtrO : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmAtrO(const AttributeRequest &request, QWidget *parent = nullptr);

    // Opens the dialog modally: the attribute confirmed, none when cancelled.
    static std::optional<quint8> choose(const AttributeRequest &request, QWidget *parent);

    // The attribute the boxes give now.
    quint8 attribute() const;

    QCheckBox *inputBox(int i) const { return m_inputs[size_t(i)]; }
    // 0 "samostatný klíč", 1 "klíč zaměstnance", 2 "klíč vozidla".
    QRadioButton *kindButton(int i) const { return m_kinds[size_t(i)]; }
    QGroupBox *kindGroup() const { return m_kindGroup; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *confirmButton() const { return m_confirm; }

private:
    AttributeRequest m_request;
    std::array<QCheckBox *, 4> m_inputs{};
    std::array<QRadioButton *, 3> m_kinds{};
    QGroupBox *m_kindGroup = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_confirm = nullptr;
};

} // namespace vardex
