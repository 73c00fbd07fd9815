#pragma once

#include <QString>

namespace vardex {

// Keeps other programs away from a table file while this program has it
// open: an advisory lock (flock) on the file itself, shared by every cursor
// of this process on that file. A cursor may also ask for exclusive use,
// which fails while any other cursor of this process holds the file.
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
    QString ioError() const { return m_ioError; }

private:
    QString m_key;
    QString m_ioError;
};

} // namespace vardex
