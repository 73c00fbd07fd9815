#pragma once

#include "attendance/DayShift.h"

#include <QStyledItemDelegate>

class QPainter;

namespace vardex {

// A day's shift drawn over 24 hours at one pixel per 10 minutes: the
// mandatory parts as one bar, the optional parts as a second bar below.
inline constexpr int ShiftBarWidth = 24 * 6;
void paintShiftBars(QPainter &painter, const QRect &cell, const DayShift &day);

// The text a bar column shows for a day: its 19 bytes in hexadecimal,
// which the delegate draws as bars.
QString shiftBarText(const DayShift &day);

// Draws a column whose text is shiftBarText() as the day's bars.
class ShiftBarDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace vardex
