#pragma once

#include "admin/UnitDatabase.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;

namespace vardex {

// The sub-dialogs of the units window. Each is a framed panel inside the
// window, closed by its own "Hotovo" (the window writes what it shows) or
// "Přerušit" (nothing is written).

// "Určení typu jednotky": the six type names; a click on one picks it.
class UnitTypeSelector : public QGroupBox
{
    Q_OBJECT
public:
    explicit UnitTypeSelector(QWidget *parent = nullptr);
    QListWidget *list() const { return m_list; }
    QPushButton *cancelButton() const { return m_cancel; }

public Q_SLOTS:
    // Picks the entry in list position `row`.
    void pick(int row);

Q_SIGNALS:
    void picked(quint8 type);
    void cancelled();

private:
    QListWidget *m_list = nullptr;
    QPushButton *m_cancel = nullptr;
};

// A panel with "Hotovo", which emits `finished`, and "Přerušit", which
// emits `cancelled`.
class EditorPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit EditorPanel(const QString &title, QWidget *parent = nullptr);
    QPushButton *doneButton() const { return m_done; }
    QPushButton *cancelButton() const { return m_cancel; }

Q_SIGNALS:
    void finished();
    void cancelled();

protected:
    // Where the panel's controls go, above the button.
    QWidget *body() const { return m_body; }

private:
    QWidget *m_body = nullptr;
    QPushButton *m_done = nullptr;
    QPushButton *m_cancel = nullptr;
};

// "Maska poplachu" / "Maska otevření dveří": eight boxes, box i = bit i.
class MaskPanel : public EditorPanel
{
    Q_OBJECT
public:
    explicit MaskPanel(const QString &title, QWidget *parent = nullptr);
    void load(const MaskEditorData &data);
    quint8 mask() const;
    QCheckBox *box(int i) const { return m_boxes[size_t(i)]; }

private:
    std::array<QCheckBox *, 8> m_boxes{};
};

// The use-mask panel: caption and boxes after the unit's type. Hidden boxes
// keep the bits they were loaded with.
class UseMaskPanel : public EditorPanel
{
    Q_OBJECT
public:
    explicit UseMaskPanel(QWidget *parent = nullptr);
    void load(const UseMaskEditorData &data);
    std::array<bool, 4> boxes() const;
    QCheckBox *box(int i) const { return m_boxes[size_t(i)]; }

private:
    std::array<QCheckBox *, 4> m_boxes{};
};

// "Doba otevření dveří": a slider 1..15 with the number beside it.
class DoorTimePanel : public EditorPanel
{
    Q_OBJECT
public:
    explicit DoorTimePanel(QWidget *parent = nullptr);
    void load(int seconds);
    int seconds() const;
    QSlider *slider() const { return m_slider; }
    QLineEdit *number() const { return m_number; }

private:
    QSlider *m_slider = nullptr;
    QLineEdit *m_number = nullptr;
};

// "Parametry dveří": inputs In0..In3, each with "Otevření" and "Čekání".
class DoorParametersPanel : public EditorPanel
{
    Q_OBJECT
public:
    explicit DoorParametersPanel(QWidget *parent = nullptr);
    void load(const std::array<QString, 4> &inputNames, const DoorParameters &parameters);
    DoorParameters parameters() const;
    QSpinBox *opening(int input) const { return m_opening[size_t(input)]; }
    QSpinBox *waiting(int input) const { return m_waiting[size_t(input)]; }
    QLabel *caption(int input) const { return m_captions[size_t(input)]; }

private:
    std::array<QLabel *, 4> m_captions{};
    std::array<QSpinBox *, 4> m_opening{};
    std::array<QSpinBox *, 4> m_waiting{};
};

// "Parametry závor": inputs In0, In1, each with "Otevření", "Čekání" and
// "Typ závory"; a stored type not in the list shows "???".
class BarrierParametersPanel : public EditorPanel
{
    Q_OBJECT
public:
    explicit BarrierParametersPanel(QWidget *parent = nullptr);
    void load(const std::array<QString, 2> &inputNames, const BarrierParameters &parameters);
    BarrierParameters parameters() const;
    QSpinBox *opening(int input) const { return m_opening[size_t(input)]; }
    QSpinBox *waiting(int input) const { return m_waiting[size_t(input)]; }
    QComboBox *barrierType(int input) const { return m_types[size_t(input)]; }
    QLabel *caption(int input) const { return m_captions[size_t(input)]; }

private:
    std::array<QLabel *, 2> m_captions{};
    std::array<QSpinBox *, 2> m_opening{};
    std::array<QSpinBox *, 2> m_waiting{};
    std::array<QComboBox *, 2> m_types{};
};

} // namespace vardex
