#include "attendance/ui/ShiftBars.h"

#include "timecal/HourMinute.h"

#include <QPainter>

namespace vardex {

namespace {

int pixelOf(quint16 word)
{
    return (HourOf(word) * 60 + MinuteOf(word)) / 10;
}

void part(QPainter &p, const QRect &row, quint16 start, quint16 end, const QColor &color)
{
    if (IsPartEmpty(start, end))
        return;
    p.fillRect(QRect(row.left() + pixelOf(start), row.top(), pixelOf(end) - pixelOf(start) + 1,
                     row.height()),
               color);
}

} // namespace

void paintShiftBars(QPainter &painter, const QRect &cell, const DayShift &day)
{
    const int h = std::max(2, (cell.height() - 6) / 2);
    const QRect mandatory(cell.left() + 2, cell.top() + 2, ShiftBarWidth, h);
    const QRect optional(cell.left() + 2, mandatory.bottom() + 2, ShiftBarWidth, h);
    painter.fillRect(mandatory.united(optional), QColor(235, 235, 235));
    for (const ShiftSection *s : {&day.first, &day.second}) {
        part(painter, mandatory, s->mandatoryStart, s->mandatoryEnd, QColor(30, 90, 200));
        part(painter, optional, s->optionalStart, s->optionalEnd, QColor(120, 190, 120));
    }
}

QString shiftBarText(const DayShift &day)
{
    return QString::fromLatin1(DayShiftToBytes(day).toHex());
}

void ShiftBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    QStyledItemDelegate::paint(painter, plain, index);
    const QByteArray bytes = QByteArray::fromHex(index.data().toString().toLatin1());
    if (bytes.isEmpty())
        return;
    painter->save();
    paintShiftBars(*painter, option.rect, DayShiftFromBytes(bytes));
    painter->restore();
}

QSize ShiftBarDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QSize(ShiftBarWidth + 6,
                 std::max(QStyledItemDelegate::sizeHint(option, index).height(), 18));
}

} // namespace vardex
