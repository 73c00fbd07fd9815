#include "comm/EChybaCOM.h"

#include <cerrno>
#include <cstring>

namespace vardex {

namespace {

EChybaCOM withDetail(const QString &fixed, const QString &device, const QString &reason)
{
    QString message = fixed;
    if (!device.isEmpty())
        message += QStringLiteral(": ") + device;
    if (!reason.isEmpty())
        message += (device.isEmpty() ? QStringLiteral(": ") : QStringLiteral(" – ")) + reason;
    return {message};
}

} // namespace

EChybaCOM EChybaCOM::alreadyOpen(const QString &device, const QString &reason)
{
    return withDetail(QStringLiteral("COM již byl otevřen"), device, reason);
}

EChybaCOM EChybaCOM::openFailed(const QString &device, const QString &reason)
{
    return withDetail(QStringLiteral("Chyba při otevírání COM"), device, reason);
}

EChybaCOM EChybaCOM::unknownPort(const QString &name)
{
    return openFailed(name, QStringLiteral("název portu neoznačuje žádné zařízení (COM1 až COM9 "
                                           "nebo cesta začínající „/“)"));
}

EChybaCOM EChybaCOM::notAPort(const QString &device, const QString &reason)
{
    return withDetail(QStringLiteral("Handle nepřísluší COM"), device, reason);
}

EChybaCOM EChybaCOM::readerNotCreated()
{
    return {QStringLiteral("Neschopen ReadThread.Create")};
}

EChybaCOM EChybaCOM::writerNotCreated()
{
    return {QStringLiteral("Nevytvořil Thread-Zápis")};
}

QString EChybaCOM::systemReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("zařízení neexistuje");
    case ENXIO:
    case ENODEV:
    case EIO:
        // A driver without its hardware: an unplugged adapter, a port the
        // machine does not have.
        return QStringLiteral("zařízení není připojeno");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen (oprávnění ke čtení a zápisu má obvykle skupina "
                              "dialout)");
    case EBUSY:
    case EWOULDBLOCK:
        return QStringLiteral("zařízení používá jiný program");
    case EISDIR:
    case ENOTTY:
        return QStringLiteral("není to sériové zařízení");
    case EINVAL:
        return QStringLiteral("zařízení odmítlo nastavení linky");
    default:
        return QStringLiteral("systémová chyba %1 (%2)")
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

} // namespace vardex
