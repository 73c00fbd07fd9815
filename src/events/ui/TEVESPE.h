#pragma once

#include "events/EventTableTools.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vardex {

// "Speciální utility": the number of events, and export, "Nová" and import
// of the event table through UTIL_EVE.TXT.
class TEVESPE : public QDialog
{
    Q_OBJECT
public:
    TEVESPE(const QString &workDir, OperatorMessages &messages, QWidget *parent = nullptr);

    EventTableTools &utilities() { return m_utilities; }
    QLabel *countText() const { return m_count; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *newButton() const { return m_new; }
    QPushButton *importButton() const { return m_import; }

private:
    // The count and which buttons can be used, after every action.
    void refresh();

    EventTableTools m_utilities;
    OperatorMessages &m_messages;
    QLabel *m_count = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_import = nullptr;
};

} // namespace vardex
