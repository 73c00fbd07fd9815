#pragma once

#include "base/Result.h"

#include <QList>
#include <QString>

namespace vardex {

class TDB0DM;

// The list of searched keys ("Seznam hledaných klíčů", the searched-key
// table of the data module): a key whose event is stored while the
// monitor's search is on raises the alarm with the key's message when its
// row is active. The list window and the command line work through this.
class SearchedKeys
{
public:
    explicit SearchedKeys(TDB0DM &db);

    // "Byl nalezen hledaný klíč!"
    static QString defaultMessage();

    // The row being inserted gets the key chosen in the key selection
    // dialog, the default message and its alarm off; without a chosen key
    // the insertion is cancelled. Whether the row was filled.
    bool fillInsertedRow(const QString &chosenKey);
    // What the "Klíč" column shows: the key holder's name.
    QString keyColumnText(const QString &ctm);

    // "Zapnout vše" / "Vypnout vše": every row's alarm, all or nothing.
    Result<void> switchAll(bool on);

    struct Entry
    {
        QString ctm;
        QString message;
        bool active = false;
    };
    // Every row in key order, or why the table could not be read whole.
    Result<QList<Entry>> entries();
    // "01665544332211 A Byl nalezen hledaný klíč!  Novák Jan": the key, A or
    // N, the message in its 25 characters, the holder's name.
    QString entryLine(const Entry &entry);
    // Adds a row; a key already in the list is refused.
    Result<void> add(const QString &ctm, const QString &message, bool active);
    // Removes the key's row; a key not in the list is refused.
    Result<void> remove(const QString &ctm);

private:
    // Whether the key has a row (the table then stands on it).
    Result<bool> find(const QString &ctm);

    TDB0DM &m_db;
};

} // namespace vardex
