#include "tables/EngineMessage.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

namespace vardex {

QString engineMessage(const QString &file, int code, const QString &engineText, int systemErrno)
{
    const bool full = (code & 0xff) == SQLITE_IOERR &&
                      (systemErrno == ENOSPC || systemErrno == EDQUOT || systemErrno == EFBIG);
    const char *pattern;
    switch (full ? SQLITE_FULL : code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        pattern = "Tabulka %1 je poškozená: %2";
        break;
    case SQLITE_FULL:
        pattern = "Tabulku %1 nelze zapsat, disk je plný: %2";
        break;
    case SQLITE_READONLY:
        pattern = "Tabulka %1 je jen pro čtení: %2";
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        pattern = "Tabulka %1 je používána jiným programem: %2";
        break;
    case SQLITE_IOERR:
        pattern = "Chyba při čtení nebo zápisu tabulky %1 na disk: %2";
        break;
    case SQLITE_CANTOPEN:
        pattern = "Tabulku %1 nelze otevřít: %2";
        break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        pattern = "Přístup k tabulce %1 byl odepřen: %2";
        break;
    case SQLITE_NOMEM:
        pattern = "Pro tabulku %1 není dost paměti: %2";
        break;
    case SQLITE_TOOBIG:
        pattern = "Záznam tabulky %1 je příliš velký: %2";
        break;
    default:
        pattern = "Chyba tabulky %1: %2";
        break;
    }
    return QString::fromUtf8(pattern).arg(file, engineText);
}

QString systemMessage(const QString &file, int errnoValue, bool creating)
{
    const QString text = QString::fromLocal8Bit(std::strerror(errnoValue));
    const char *pattern;
    switch (errnoValue) {
    case EROFS:
        pattern = "Tabulku %1 nelze vytvořit, disk je jen pro čtení: %2";
        break;
    case EACCES:
    case EPERM:
        pattern = creating ? "Tabulku %1 nelze vytvořit, do adresáře nelze zapisovat: %2"
                           : "Přístup k tabulce %1 byl odepřen: %2";
        break;
    case ENOSPC:
    case EDQUOT:
        pattern = "Tabulku %1 nelze vytvořit, disk je plný: %2";
        break;
    case ENAMETOOLONG:
        pattern = "Tabulku %1 nelze otevřít, cesta je příliš dlouhá: %2";
        break;
    case ENOENT:
    case ENOTDIR:
        pattern = "Tabulku %1 nelze otevřít, adresář neexistuje: %2";
        break;
    default:
        pattern = "Tabulku %1 nelze otevřít: %2";
        break;
    }
    return QString::fromUtf8(pattern).arg(file, text);
}

} // namespace vardex
