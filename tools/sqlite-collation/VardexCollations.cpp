// A loadable SQLite extension with the collations CZ and CZ_NOCASE that the
// table files' text indexes use, so that the standard sqlite3 tool can read
// and write them:  sqlite3 -cmd ".load /path/to/libvardex_collations" EVENTS.DB
#include "tables/CzechCollation.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

namespace {

int collate(void *caseInsensitive, int aLength, const void *a, int bLength, const void *b)
{
    return vardex::compareCzechUtf8(static_cast<const char *>(a), aLength,
                                    static_cast<const char *>(b), bLength,
                                    caseInsensitive != nullptr);
}

int yes = 1;

} // namespace

extern "C" int sqlite3_vardexcollations_init(sqlite3 *db, char **, const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    int rc = sqlite3_create_collation(db, vardex::kCzechCollation, SQLITE_UTF8, nullptr, collate);
    if (rc == SQLITE_OK)
        rc =
            sqlite3_create_collation(db, vardex::kCzechNoCaseCollation, SQLITE_UTF8, &yes, collate);
    return rc;
}
