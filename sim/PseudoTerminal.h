#pragma once

#include <QString>

namespace vardex::sim {

// The master side of a pseudo-terminal whose slave side plays the serial
// device. The slave starts raw (no echo, no line editing, 8 bits), so a
// program that opens it sees the bytes exactly as the units send them. The
// object keeps one slave descriptor open itself, so that the master does not
// report a hang-up while no program has the line open.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a fresh pair; on failure `error` says why.
    bool open(QString *error);
    // Also makes `linkPath` a symbolic link to the slave (replacing an old
    // link there, never a file that is not a link).
    bool makeLink(const QString &linkPath, QString *error);
    void close();
    // Lifts the exclusive use a program set on the slave and could not lift
    // itself because it was killed: the flag outlives it while the master is
    // open, and would keep every later open out (root aside).
    bool releaseExclusiveUse();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }

private:
    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    QString m_linkPath;
};

} // namespace vardex::sim
