#pragma once

#include <QString>

#include <functional>

class QDate;
class QWidget;

namespace vardex {

class Application;
class AttendanceProcessing;

// The attendance window's ways into the day review, the corrections and
// the work-file listing.

// "Události": the day review with its date panel, on the period's first
// day (today when no period is chosen); the period's events are extracted
// again afterwards, so that the next computation sees the changes.
void openDayReview(Application &app, AttendanceProcessing &run, QWidget *parent);
// The day review of an error's day, without the date panel.
void openErrorDay(Application &app, const QDate &date, QWidget *parent);
// The correction window over the computed values of the period's month.
void openCorrections(AttendanceProcessing &run, const QString &title, QWidget *parent);
// "Ručně": the manual report of the chosen key, written and shown.
void makeManualReport(Application &app, AttendanceProcessing &run, QWidget *parent,
                      const std::function<void()> &showReport);
// "Udál.": the work file's records, the chosen key's marked.
void openWorkFileListing(Application &app, AttendanceProcessing &run, QWidget *parent);

} // namespace vardex
