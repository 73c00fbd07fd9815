#pragma once

#include "attendance/PlanNotes.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vardex {

class FileChooser;
class OperatorMessages;

// The note editor of a planned day: the list of notes, a text field, a
// button that moves the text into the list, saving and loading the list as
// "DUVODY.TXT", "Hotovo" (the text is the day's note) and "Přerušit".
class TFrmPozn : public QDialog
{
    Q_OBJECT
public:
    TFrmPozn(const QString &note, FileChooser &files, OperatorMessages &messages,
             QWidget *parent = nullptr);

    // The chosen note, or nothing when the operator cancelled.
    static std::optional<QString> editNote(const QString &note, FileChooser &files,
                                           OperatorMessages &messages, QWidget *parent);

    QListWidget *list() const { return m_list; }
    QLineEdit *textField() const { return m_text; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *loadButton() const { return m_load; }

private:
    void showNotes();
    void saveList();
    void loadList();

    PlanNotes m_notes;
    FileChooser &m_files;
    OperatorMessages &m_messages;
    QListWidget *m_list = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_load = nullptr;
};

} // namespace vardex
