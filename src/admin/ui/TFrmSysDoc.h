#pragma once

#include "admin/SystemDocumentation.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QProgressBar;
class QPushButton;

namespace vardex {

class FileChooser;
class TDB0DM;
class TVXDM;

// "Dokumenty o nastavení systému": three listings of how the system is set
// up, each written into the report file and shown in the output window. A
// listing runs a slice of records at a time from the window's own timer,
// so the window repaints and the progress bar moves on a large site.
class TFrmSysDoc : public QDialog
{
    Q_OBJECT
public:
    TFrmSysDoc(TDB0DM &db, TVXDM &vx, FileChooser &files, QWidget *parent = nullptr);
    ~TFrmSysDoc() override;

    QPushButton *unitsButton() const { return m_units; }
    QPushButton *keysButton() const { return m_keys; }
    QPushButton *permissionsButton() const { return m_permissions; }
    QProgressBar *progressBar() const { return m_progress; }
    bool running() const { return m_run != nullptr; }

    // Closing drops a listing under way; the previous report stays.
    void done(int result) override;

private:
    void startListing(DocListing listing);
    void runSlice();
    void endListing();
    void enableButtons();

    TDB0DM &m_db;
    TVXDM &m_vx;
    FileChooser &m_files;
    bool m_haveUnits = false;
    bool m_haveKeys = false;
    std::unique_ptr<DocumentationRun> m_run;
    QTimer m_slices;
    QPushButton *m_units = nullptr;
    QPushButton *m_keys = nullptr;
    QPushButton *m_permissions = nullptr;
    QProgressBar *m_progress = nullptr;
};

} // namespace vardex
