#pragma once

#include <QString>
#include <QtGlobal>

namespace vardex {

// The period the event browser and the attendance windows work on: start
// and end as date words (month × 256 + day) with their years, and a time
// range as hour-minute words. Empty while any of the four date values is 0.
struct ProcessingInterval
{
    quint16 startDate = 0;
    int startYear = 0;
    quint16 endDate = 0;
    int endYear = 0;
    quint16 startTime = 0;
    quint16 endTime = 0;

    bool isEmpty() const
    {
        return startDate == 0 || startYear == 0 || endDate == 0 || endYear == 0;
    }
    // "dd.mm.yyyy" of the start and of the end.
    QString startText() const;
    QString endText() const;
};

} // namespace vardex
