#pragma once

#include <QByteArrayView>
#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vardex {

// "Stav jednotky": the decoded state reply of one unit, read-only.
class TFrmStaHwj : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmStaHwj(QByteArrayView stateBuffer, QWidget *parent = nullptr);

    // "Adresa" … "Systémové parametry", in order.
    const QList<QLineEdit *> &fields() const { return m_fields; }
    QLabel *waitingEvents() const { return m_waiting; }
    QLabel *memoryOverflow() const { return m_overflow; }
    QGroupBox *unitParameters() const { return m_parameters; }
    QPlainTextEdit *parameterLines() const { return m_parameterLines; }

private:
    QList<QLineEdit *> m_fields;
    QLabel *m_waiting = nullptr;
    QLabel *m_overflow = nullptr;
    QGroupBox *m_parameters = nullptr;
    QPlainTextEdit *m_parameterLines = nullptr;
};

} // namespace vardex
