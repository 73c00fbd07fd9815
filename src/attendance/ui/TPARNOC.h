#pragma once

#include <QDialog>

class QLineEdit;

namespace vardex {

class TVXDM;

// "Tolerance noční směny": how much earlier a night shift may be arrived at
// and how much later left, each taken over as soon as its text is a time
// "hh:mm". The values hold for this run of the program only.
class TPARNOC : public QDialog
{
    Q_OBJECT
public:
    explicit TPARNOC(TVXDM &vx, QWidget *parent = nullptr);

    QLineEdit *arriveField() const { return m_arrive; }
    QLineEdit *leaveField() const { return m_leave; }

private:
    QLineEdit *m_arrive = nullptr;
    QLineEdit *m_leave = nullptr;
};

} // namespace vardex
