#pragma once

#include <QList>
#include <QStringList>

namespace vardex {

// The printed pages of a report in a fixed-pitch font, `columns` characters
// wide and `rowsPerPage` lines high. Tabs stop at every eighth column. A line
// wider than the page goes on in the following printed lines, so nothing
// falls off the right edge; spaces at a line's end do not count (they would
// only print empty continuation lines). No lines give no pages.
QList<QStringList> layoutPages(const QStringList &lines, int columns, int rowsPerPage);

} // namespace vardex
