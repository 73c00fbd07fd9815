#pragma once

#include "unitops/Collection.h"

#include <QDialog>
#include <QTimer>

class QPlainTextEdit;
class QPushButton;

namespace vardex {

class TDB0DM;

// "Sběr dat od všech hardwarových jednotek": the collection with its log.
// The window has no close box; it closes with "Hotovo" once the collection
// has ended or was interrupted with "Přerušit".
class TFrmSbd : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSbd(TDB0DM &db, QWidget *parent = nullptr);

    Collection &collection() { return m_collection; }
    QPlainTextEdit *meMon() const { return m_meMon; }
    QPushButton *btPrerus() const { return m_btPrerus; }
    QPushButton *btOkSbd() const { return m_btOkSbd; }
    QTimer &sbdTimer() { return m_sbdTimer; }

    // Escape closes the window only where "Hotovo" would.
    void reject() override;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void showStopped();

    TDB0DM &m_db;
    Collection m_collection;
    QTimer m_sbdTimer;
    QPlainTextEdit *m_meMon = nullptr;
    QPushButton *m_btPrerus = nullptr;
    QPushButton *m_btOkSbd = nullptr;
};

} // namespace vardex
