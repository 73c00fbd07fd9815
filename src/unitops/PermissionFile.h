#pragma once

#include "base/Result.h"
#include "comm/Protocol.h"

#include <QList>
#include <QString>

namespace vardex {

// The permission file "WKVRRTS.DAT" in the working directory: the permission
// records of every key, unit and time window, 14 bytes each, without a
// header. Every check and every upload writes it anew; it stays on disk.

QString permissionFilePath(const QString &workDir);
// Replaces the file whole, so that a failed write leaves the previous one.
Result<void> writePermissionFile(const QString &path, const QList<PermissionRecord> &records);
// A file whose length is not a whole number of records is refused.
Result<QList<PermissionRecord>> readPermissionFile(const QString &path);

} // namespace vardex
