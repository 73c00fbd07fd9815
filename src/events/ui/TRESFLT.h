#pragma once

#include "events/ResultFilter.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vardex {

// "Nastavení filtru událostí v systému": picks result kinds and places of
// events and builds a filter over the event result code from them.
class TRESFLT : public QDialog
{
    Q_OBJECT
public:
    explicit TRESFLT(QWidget *parent = nullptr);

    // Runs the dialog; the filter text when it ends with "Hotovo".
    static std::optional<QString> choose(QWidget *parent);

    QCheckBox *kindBox(ResultFilter::Kind kind) const { return m_kinds[kind]; }
    // 0..7 TM0..TM7, 8..15 IN0..IN7.
    QCheckBox *placeBox(int place) const { return m_places[place]; }
    QRadioButton *pairsButton() const { return m_pairs; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *doneButton() const { return m_done; }

    // What the boxes say now.
    ResultFilter filter() const;

private:
    void updateDone();

    std::array<QCheckBox *, ResultFilter::KindCount> m_kinds{};
    std::array<QCheckBox *, ResultFilter::PlaceCount> m_places{};
    QRadioButton *m_ordinary = nullptr;
    QRadioButton *m_pairs = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_done = nullptr;
};

} // namespace vardex
