#include "admin/ui/FieldColumnWidths.h"

#include "tables/TableSchema.h"

#include <QTableView>

namespace vardex {

void fitColumnsToFields(QTableView *grid, const TableSchema &schema,
                        const QList<GridColumn> &columns)
{
    const QFontMetrics metrics = grid->fontMetrics();
    for (int c = 0; c < columns.size(); ++c) {
        const FieldDef *field = schema.field(columns[c].field);
        const int text = metrics.horizontalAdvance(QString(field ? field->size : 8, u'M')) * 3 / 4;
        const int title = metrics.horizontalAdvance(columns[c].title);
        grid->setColumnWidth(c, qMax(text, title) + 16);
    }
}

} // namespace vardex
