#include "admin/UnitChooser.h"

#include "accessdata/TDB0DM.h"

namespace vardex {

UnitChooser::UnitChooser(TDB0DM &db) : m_db(db)
{
    m_db.ZadnaJednotka();
    m_db.selection().chosenAddress.clear();
}

void UnitChooser::chooseRow(const QString &address)
{
    m_db.selection().chosenAddress = address;
    m_db.ZadnaJednotka();
}

void UnitChooser::done(const QString &currentAddress, const QStringList &markedInOrder)
{
    chooseRow(currentAddress);
    UnitSelection &s = m_db.selection();
    s.addresses = markedInOrder;
    s.cursor = 0;
}

void UnitChooser::all(const QString &currentAddress)
{
    m_db.selection().chosenAddress = currentAddress;
    m_db.VsechnyJednotky();
}

} // namespace vardex
