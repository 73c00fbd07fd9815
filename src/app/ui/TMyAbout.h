#pragma once

#include "platform/MemoryInfo.h"

#include <QDialog>

class QLabel;

namespace vardex {

// "Anotace programu": what the program is for, with the computer's memory.
class TMyAbout : public QDialog
{
    Q_OBJECT
public:
    // Shows this machine's memory.
    explicit TMyAbout(QWidget *parent = nullptr);
    TMyAbout(const MemoryStatus &memory, QWidget *parent = nullptr);

    QString memoryTotalText() const;
    QString memoryLoadText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_total = nullptr;
    QLabel *m_load = nullptr;
};

} // namespace vardex
