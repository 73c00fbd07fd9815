#pragma once

#include <QString>

namespace vardex {

// Keeps other programs away from a table file while this program has it
// open: an advisory lock (flock) on the file itself, shared by every cursor
// of this process on that file. A cursor may also ask for exclusive use,
// which fails while any other cursor of this process holds the file.
//
// A file this process may write is locked exclusively. A file it may only
// read (its own permissions, or a folder where the engine cannot keep its
// log) is opened for reading under a shared lock, so that readers of a
// read-only site run side by side while no writer can change the file.
//
// Another program's lock is waited for, up to waitLimitMs(): every run
// opens its tables in the same fixed order, so a second run either gets
// them all once the first lets go or fails cleanly, never both.
//
// The lock descriptor is closed only when the last cursor of this process
// has let go of the file, after its database connection is gone, so that
// closing it never drops the engine's own locks.
class TableLock
{
public:
    enum class Result { Ok, OtherProgram, OtherCursor, IoError };

    TableLock() = default;
    ~TableLock() { release(); }
    TableLock(const TableLock &) = delete;
    TableLock &operator=(const TableLock &) = delete;

    // Creates the file when missing (empty) and locks it.
    Result acquire(const QString &path, bool exclusive);
    void release();
    bool held() const { return !m_key.isEmpty(); }
    // True while this cursor is the only one of this process on the file.
    bool sole() const;
    // The file may only be read (see above).
    bool readOnly() const { return m_readOnly; }
    // This lock created the file: a failed open removes it again.
    bool created() const { return m_created; }
    // After IoError: the system's errno, and whether the file was being
    // created.
    int errorNumber() const { return m_errno; }
    bool creating() const { return m_creating; }
    // After OtherProgram: the process holding the lock, 0 when unknown.
    qint64 holder() const { return m_holder; }

    // How long a lock held by another program is waited for.
    static int waitLimitMs();
    static void setWaitLimitMs(int ms);

private:
    Result lockNew(const QString &path, bool exclusive);

    QString m_key;
    bool m_readOnly = false;
    bool m_created = false;
    bool m_creating = false;
    int m_errno = 0;
    qint64 m_holder = 0;
};

} // namespace vardex
