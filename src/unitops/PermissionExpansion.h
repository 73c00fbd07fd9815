#pragma once

#include "base/Result.h"
#include "comm/Protocol.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vardex {

class TDB0DM;
class TVXDM;

// What expanding the databases gave: the records written to the permission
// file, and in checking mode the inconsistencies found.
struct Expansion
{
    QList<PermissionRecord> records;
    QStringList log;
};

// Expands the key, permission-group and time-schedule tables into the
// permission records of every key, unit and time window, and writes them to
// the permission file. Every table is read on a cursor of its own, so no
// window's record moves.
class PermissionExpansion
{
public:
    PermissionExpansion(TDB0DM &db, TVXDM &vx, const QString &workDir);

    // "nastavovat docházkové jednotky bez ohledu na existenci rozpisu": every
    // key gets the attendance records, also a key without a shift schedule.
    bool allAttendance = false;
    // Told the number of keys done so far and the number of keys.
    std::function<void(int done, int total)> progress;

    // The records of every key in key order; in checking mode the log says
    // what the databases lack. A table that cannot be read, or a file that
    // cannot be written, fails the whole expansion.
    Result<Expansion> CreateRights(bool checking);

private:
    struct Unit
    {
        QString address;
        QString name;
        quint8 type = 0;
    };
    struct Key
    {
        QString ctm;
        QString name;
        QString personal;
        QString group;
        QString schedule;
    };
    class Cursors;

    Result<QList<Unit>> readUnits() const;
    // The attendance records of a key: every attendance unit, all day long.
    void ZpracovatRozpis(const Key &key, const QList<Unit> &attendance, Expansion &out) const;
    // The access records of a key from its permission group.
    Result<void> ZpracovatOpravneni(bool checking, const Key &key, const QList<Unit> &units,
                                    Cursors &cursors, Expansion &out) const;

    TDB0DM &m_db;
    TVXDM &m_vx;
    QString m_workDir;
};

} // namespace vardex
