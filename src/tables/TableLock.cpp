#include "tables/TableLock.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vardex {

namespace {

struct Holder
{
    int fd = -1;
    int users = 0;
    bool exclusive = false;
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

} // namespace

TableLock::Result TableLock::acquire(const QString &path, bool exclusive)
{
    release();
    m_ioError.clear();
    QMutexLocker locker(&registryMutex());
    auto &reg = registry();
    // Look for a holder in this process before opening anything: closing a
    // second descriptor of a file that the engine has open would drop the
    // engine's own locks on it.
    QString key = QFileInfo(path).canonicalFilePath();
    if (!key.isEmpty()) {
        auto it = reg.find(key);
        if (it != reg.end()) {
            if (exclusive || it->exclusive)
                return Result::OtherCursor;
            ++it->users;
            m_key = key;
            return Result::Ok;
        }
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0664);
    if (fd < 0) {
        m_ioError = QString::fromLocal8Bit(std::strerror(errno));
        return Result::IoError;
    }
    key = QFileInfo(path).canonicalFilePath();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return Result::OtherProgram;
        m_ioError = QString::fromLocal8Bit(std::strerror(err));
        return Result::IoError;
    }
    reg.insert(key, Holder{fd, 1, exclusive});
    m_key = key;
    return Result::Ok;
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
