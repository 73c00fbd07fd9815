#include "comm/EChybaCOM.h"

namespace vardex {

EChybaCOM EChybaCOM::alreadyOpen()
{
    return {QStringLiteral("COM již byl otevřen")};
}

EChybaCOM EChybaCOM::openFailed()
{
    return {QStringLiteral("Chyba při otevírání COM")};
}

EChybaCOM EChybaCOM::notAPort()
{
    return {QStringLiteral("Handle nepřísluší COM")};
}

EChybaCOM EChybaCOM::readerNotCreated()
{
    return {QStringLiteral("Neschopen ReadThread.Create")};
}

EChybaCOM EChybaCOM::writerNotCreated()
{
    return {QStringLiteral("Nevytvořil Thread-Zápis")};
}

} // namespace vardex
