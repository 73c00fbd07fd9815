#pragma once

#include "tables/TableGridModel.h"

class QTableView;

namespace vardex {

struct TableSchema;

// Sets each column of a grid over a table as wide as its field's longest
// text (a date as "dd.mm.yyyy") or as its title, whichever is wider, so
// that no stored value is cut.
void fitColumnsToFields(QTableView *grid, const TableSchema &schema,
                        const QList<GridColumn> &columns);

} // namespace vardex
