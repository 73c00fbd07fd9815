#pragma once

#include "tables/TableSchema.h"

// Short forms for writing table definitions: fields and indexes as the
// definitions list them.
namespace vardex::schema {

inline constexpr bool Required = true;

inline FieldDef text(const char *name, int size, bool required = false)
{
    return {QString::fromLatin1(name), FieldType::String, size, required};
}

inline FieldDef typed(const char *name, FieldType type, bool required = false)
{
    return {QString::fromLatin1(name), type, 0, required};
}

inline IndexDef primaryIndex(const char *name, const char *fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields), true, true, false};
}

inline IndexDef uniqueIndex(const char *name, const char *fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields), false, true, false};
}

inline IndexDef caseInsensitiveIndex(const char *name, const char *fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields), false, false, true};
}

inline IndexDef uniqueCaseInsensitiveIndex(const char *name, const char *fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields), false, true, true};
}

} // namespace vardex::schema
