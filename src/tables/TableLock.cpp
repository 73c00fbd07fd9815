#include "tables/TableLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vardex {

namespace {

struct Holder
{
    int fd = -1;
    int users = 0;
    bool exclusive = false;
    bool readOnly = false;
};

// Lock state of this process, by canonical file path.
QMutex &registryMutex()
{
    static QMutex m;
    return m;
}

QHash<QString, Holder> &registry()
{
    static QHash<QString, Holder> r;
    return r;
}

std::atomic<int> g_waitLimitMs{5000};

// flock has no timed wait: a held lock is tried again at this interval.
constexpr int kRetryMs = 20;

// The process holding a flock on the file open as `fd`, as the kernel lists
// it in /proc/locks ("1: FLOCK ADVISORY WRITE <pid> <maj>:<min>:<inode> 0
// EOF"); 0 when it cannot be told.
qint64 flockHolder(int fd)
{
    struct stat st
    {
    };
    QFile locks(QStringLiteral("/proc/locks"));
    if (::fstat(fd, &st) != 0 || !locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QByteArray inode = QByteArray::number(qulonglong(st.st_ino));
    const QByteArray device = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') +
                              ':' + QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0');
    qint64 sameInode = 0;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 6 || f[1] != "FLOCK")
            continue;
        const QList<QByteArray> id = f[5].split(':');
        if (id.size() != 3 || id[2] != inode)
            continue;
        if (id[0] + ':' + id[1] == device)
            return f[4].toLongLong();
        // A layered file system may list the layer's device instead.
        sameInode = f[4].toLongLong();
    }
    return sameInode;
}

} // namespace

int TableLock::waitLimitMs()
{
    return g_waitLimitMs;
}

void TableLock::setWaitLimitMs(int ms)
{
    g_waitLimitMs = ms;
}

TableLock::Result TableLock::acquire(const QString &path, bool exclusive)
{
    release();
    m_readOnly = m_created = m_creating = false;
    m_errno = 0;
    m_holder = 0;
    // Tables are opened by the main thread; the registry stays locked while
    // another program's lock is waited for.
    QMutexLocker locker(&registryMutex());
    // Look for a holder in this process before opening anything: closing a
    // second descriptor of a file that the engine has open would drop the
    // engine's own locks on it.
    const QString key = QFileInfo(path).canonicalFilePath();
    if (!key.isEmpty()) {
        auto it = registry().find(key);
        if (it != registry().end()) {
            if (exclusive || it->exclusive)
                return Result::OtherCursor;
            ++it->users;
            m_key = key;
            m_readOnly = it->readOnly;
            return Result::Ok;
        }
    }
    return lockNew(path, exclusive);
}

TableLock::Result TableLock::lockNew(const QString &path, bool exclusive)
{
    const QByteArray name = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const QDeadlineTimer deadline(waitLimitMs());
    for (;;) {
        bool readOnly = false, created = false;
        int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0664);
            if (fd < 0 && errno == EEXIST)
                continue; // another program made it just now
            created = fd >= 0;
            m_creating = !created;
        } else if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
            readOnly = fd >= 0;
        }
        if (fd < 0) {
            m_errno = errno;
            return Result::IoError;
        }
        // The engine keeps its log beside the file: where it may not write
        // it, the file can only be read.
        if (!readOnly && !created &&
            ::faccessat(AT_FDCWD, folder.constData(), W_OK, AT_EACCESS) != 0)
            readOnly = true;

        const int operation = (readOnly ? LOCK_SH : LOCK_EX) | LOCK_NB;
        int err = 0;
        for (;;) {
            err = ::flock(fd, operation) == 0 ? 0 : errno;
            if (err == EINTR)
                continue;
            if (err != EWOULDBLOCK || deadline.hasExpired())
                break;
            QThread::msleep(kRetryMs);
        }
        if (err != 0) {
            if (err == EWOULDBLOCK)
                m_holder = flockHolder(fd);
            ::close(fd);
            m_errno = err;
            return err == EWOULDBLOCK ? Result::OtherProgram : Result::IoError;
        }
        // A program whose open failed removes the file it had created: a
        // lock on a file that is no longer at the path is worth nothing.
        struct stat held
        {
        }, now{};
        if (::fstat(fd, &held) != 0 || ::stat(name.constData(), &now) != 0 ||
            held.st_ino != now.st_ino || held.st_dev != now.st_dev) {
            ::close(fd);
            continue;
        }
        const QString key = QFileInfo(path).canonicalFilePath();
        registry().insert(key, Holder{fd, 1, exclusive, readOnly});
        m_key = key;
        m_readOnly = readOnly;
        m_created = created;
        return Result::Ok;
    }
}

void TableLock::release()
{
    if (m_key.isEmpty())
        return;
    QMutexLocker locker(&registryMutex());
    auto &reg = registry();
    auto it = reg.find(m_key);
    if (it != reg.end() && --it->users == 0) {
        ::flock(it->fd, LOCK_UN);
        ::close(it->fd);
        reg.erase(it);
    }
    m_key.clear();
    m_created = false;
}

bool TableLock::sole() const
{
    if (m_key.isEmpty())
        return false;
    QMutexLocker locker(&registryMutex());
    const auto it = registry().constFind(m_key);
    return it != registry().cend() && it->users == 1;
}

} // namespace vardex
