#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace vardex {

// What the state window shows of a unit's state reply ("Stav jednotky").
struct UnitStateTexts
{
    struct Field
    {
        QString label; // "Adresa", "Režim", …
        QString value;
    };
    // "Adresa" to "Systémové parametry", in the window's order.
    QList<Field> fields;
    // "Počet nezpracovaných událostí: N" or "Prázdný seznam událostí." for a
    // locked unit; empty otherwise.
    QString waitingEvents;
    // The unit reports that its event memory overflowed.
    bool memoryOverflow = false;
    // "Parametry jednotky": one line per channel block, types 8 and 9 only.
    QStringList channelLines;

    // The whole state as "Label: value" lines in the window's order, the
    // waiting events and the overflow warning on lines of their own, the
    // channel lines indented under "Parametry jednotky:".
    QStringList lines() const;
};

// The state window's caption of the overflow warning.
QString memoryOverflowText();

// Decodes a state reply (the state buffer; bytes not received read as 0).
UnitStateTexts describeUnitState(QByteArrayView reply);

} // namespace vardex
