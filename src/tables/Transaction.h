#pragma once

#include "tables/Table.h"

namespace vardex {

// Bulk work on one table as a whole: everything posted while the guard
// lives is kept only when commit() is called; leaving the scope otherwise
// rolls it back.
class Transaction
{
public:
    explicit Transaction(Table &table) : m_table(table), m_active(table.beginTransaction()) {}
    ~Transaction()
    {
        if (m_active)
            m_table.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // False when the transaction could not begin (see the table's error).
    bool active() const { return m_active; }
    bool commit()
    {
        if (!m_active)
            return false;
        m_active = false;
        return m_table.commit();
    }

private:
    Table &m_table;
    bool m_active;
};

} // namespace vardex
