#pragma once

#include <QString>
#include <QStringList>

namespace vardex {

class FileChooser;
class OperatorMessages;
class TDB0DM;
class TVXDM;
class Table;

// The values offered in the drop-down lists of the assignment columns.
struct KeyPickLists
{
    QStringList workplaces;       // PRACOVISTE of the attendance groups
    QStringList permissionGroups; // OPRAVNENI of the permission groups
    QStringList schedules;        // ROZPIS of the shift schedules
};

// A key read at a unit for the key holders window.
struct ReadKey
{
    bool obtained = false;
    QString text;         // the 14-digit key number
    bool editing = false; // the record was being edited or inserted
    bool unknown = false; // browsing, and no holder has the key
};

// What the key holders window does with the key table beyond the grid:
// the pick lists, the search by name, the key read at a unit, and the
// export and import of the table.
class KeyDatabase
{
public:
    KeyDatabase(TDB0DM &db, TVXDM &vx, FileChooser &files);

    Table &keys();
    OperatorMessages &messages();

    // The distinct values of each assignment's table, in table order; the
    // tables are left on the records they were on.
    KeyPickLists pickLists();

    // Orders the key table by name and moves to the nearest name at or
    // after `text`; the order stays by name.
    void search(const QString &text);

    // Reads a key at the key-reading unit (or as typed by the operator).
    // While browsing, the cursor then moves to the key's holder
    // (showReadKey); while editing, the key waits for storeReadKey.
    ReadKey readKey();
    // "Uložit": the key number into the record being edited or inserted;
    // false when the record is not.
    bool storeReadKey(const QString &text);
    // "OK" while browsing: moves to the holder of the key, keeping the
    // table's order; false when no holder has it, and the cursor stays
    // where it was. Never changes a record.
    bool showReadKey(const QString &text);
    // "Neznámý klíč!", said once the read key is on the screen, so that the
    // operator sees which key it was.
    void tellUnknownKey();

    // "Export databáze" / "Import databáze" with "KLICE.SDF" offered. A
    // record still being edited is posted first; a refused post stops.
    bool exportKeys();
    bool importKeys();

private:
    TDB0DM &m_db;
    TVXDM &m_vx;
    FileChooser &m_files;
};

} // namespace vardex
