#include "admin/PendingEdit.h"

#include "platform/OperatorMessages.h"
#include "tables/Table.h"

namespace vardex {

bool postPendingEdit(Table &table, OperatorMessages &messages)
{
    if (table.state() != TableState::Edit && table.state() != TableState::Insert)
        return true;
    if (table.post())
        return true;
    if (!table.errorMessage().isEmpty())
        messages.error(table.errorMessage());
    return false;
}

} // namespace vardex
