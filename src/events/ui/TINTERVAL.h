#pragma once

#include "events/PeriodPicker.h"

#include <QDialog>

#include <optional>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace vardex {

// The date dialog: "Určení období" picks a period of at most a given number
// of days, "Určení doby" a single day, in a month calendar with week numbers.
// The days picked are shown under "Od:" and "Do:" after every click.
class TINTERVAL : public QDialog
{
    Q_OBJECT
public:
    explicit TINTERVAL(const DatePeriodRequest &request, QWidget *parent = nullptr);

    // Runs the dialog; the days picked when it ends with "Hotovo".
    static std::optional<DatePeriod> choose(const DatePeriodRequest &request, QWidget *parent);

    const DatePeriod &period() const { return m_picker.period(); }
    QCalendarWidget *calendar() const { return m_calendar; }
    QLabel *firstText() const { return m_firstText; }
    QLabel *lastText() const { return m_lastText; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *doneButton() const { return m_done; }

protected:
    // Notes the modifiers of the calendar's clicks and keys.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clicked(const QDate &day);
    void selectionChanged();
    // Shows the picked days in the texts and the calendar, its selected
    // day kept inside them next to `day`.
    void showPeriod(const QDate &day);

    PeriodPicker m_picker;
    DatePeriod m_marked;
    Qt::KeyboardModifiers m_modifiers;
    bool m_byKey = false;
    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_firstText = nullptr;
    QLabel *m_lastText = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_done = nullptr;
};

} // namespace vardex
