#pragma once

#include "base/Result.h"

#include <QList>
#include <QStringList>

namespace vardex {

class TDB0DM;
class TVXDM;

// The statistics grid of the upload window: five rows of five cells. Row 0
// heads the columns, row 1 the keys; rows 2 to 4 the workplaces, shift
// schedules and permission groups: how many there are, how many of them
// keys name, how many keys name one and how many name none.
Result<QList<QStringList>> uploadStatistics(TDB0DM &db, TVXDM &vx);

// The grid as text lines, each cell padded to its column's width.
QStringList statisticsLines(const QList<QStringList> &grid);

} // namespace vardex
