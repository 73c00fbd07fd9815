#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

namespace vardex {

class FileChooser;
class OperatorMessages;

// The alarm lines collected during one run ("Protokol systému"). Held in
// memory only; the operator may save them as a text file.
class SystemLog : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void WriteLog(const QString &line);
    void clear();
    const QStringList &lines() const { return m_lines; }

    // Asks for a file ("Určete jméno", "protokol.txt") and writes the lines
    // there, cp1250 with CR LF. Cancelling writes nothing. Returns whether a
    // file was written; a write failure is shown as an error.
    bool save(FileChooser &files, OperatorMessages &messages);

    // Shows the log to the operator and returns when it is closed; the
    // window sets this, elsewhere it does nothing.
    std::function<void()> showModal;
    void show()
    {
        if (showModal)
            showModal();
    }

Q_SIGNALS:
    void changed();

private:
    QStringList m_lines;
};

} // namespace vardex
