#pragma once

#include <QDialog>

class QListWidget;

namespace vardex {

class OperatorMessages;

// "Vybrané události": the records of the work file, those of the key shown
// marked with ">".
class TLADUDA : public QDialog
{
    Q_OBJECT
public:
    TLADUDA(const QString &workFile, const QString &key, OperatorMessages &messages,
            QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list = nullptr;
};

} // namespace vardex
