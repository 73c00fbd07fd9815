#include "admin/ui/FieldColumnWidths.h"

#include "accessdata/TableTextFile.h"
#include "tables/TableSchema.h"

#include <QTableView>

namespace vardex {

void fitColumnsToFields(QTableView *grid, const TableSchema &schema,
                        const QList<GridColumn> &columns)
{
    const QFontMetrics metrics = grid->fontMetrics();
    for (int c = 0; c < columns.size(); ++c) {
        const FieldDef *field = schema.field(columns[c].field);
        // A date, time or number is as wide as its text form, not its
        // stored size.
        const int chars = field ? textFileWidth(*field) : 8;
        const int text = metrics.horizontalAdvance(QString(chars, u'M')) * 3 / 4;
        const int title = metrics.horizontalAdvance(columns[c].title);
        grid->setColumnWidth(c, qMax(text, title) + 16);
    }
}

} // namespace vardex
