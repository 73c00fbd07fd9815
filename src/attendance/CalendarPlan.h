#pragma once

#include "attendance/DayShift.h"
#include "attendance/PlanPattern.h"
#include "base/Result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vardex {

class OperatorMessages;
class TDB0DM;
class TDMRPL;
class TVXDM;
class Table;

// A holder that has days in the calendar plan ("Obsah databáze").
struct PlanHolder
{
    QString key;
    QString name;
};

// The calendar plan's operations over one holder's days of a period. Each
// operation that writes runs in one transaction: a failure leaves the plan
// as it was. They work on the plan data module's table, which they leave
// in the order and under the filter they found it in.
class CalendarPlan
{
public:
    CalendarPlan(TVXDM &vx, TDB0DM &db, TDMRPL &rpl);

    // "Tabulka se bude přepisovat!" CR LF "Přepisovat existující řádky?"
    // with Yes (overwrite), No (keep) and Cancel (nullopt: do nothing).
    static std::optional<bool> askOverwrite(OperatorMessages &messages);

    // A period whose start is after its end is refused.
    static Result<void> checkPeriod(const QDate &from, const QDate &to);

    // One day of `ctm`: appended when the plan has none, rewritten when it
    // has one and `overwrite` is set, else left. Whether it was written.
    // Joins the transaction of the caller, if any.
    Result<bool> SelektivneUlozit(const QString &ctm, bool overwrite, const QString &note,
                                  const DayShift &day, const QDate &date);

    // "Předepsaný rozpis": each day from the holder's schedule, the note "S"
    // on holidays. Fails with the load text or "Rozpis nelze aplikovat
    // zpětně!" and writes nothing. Gives the number of days written.
    Result<int> GenerujPredepsanyRozpis(const QString &ctm, const QDate &from, const QDate &to,
                                        bool overwrite);
    // "Prázdný rozpis": every day cleared, "S" on holidays.
    Result<int> emptyPeriod(const QString &ctm, const QDate &from, const QDate &to);
    // "Vymazat období": gives how many days were deleted.
    Result<int> erasePeriod(const QString &ctm, const QDate &from, const QDate &to);
    // "Norma za období": the sum of the required times (a long duration).
    Result<quint32> norm(const QString &ctm, const QDate &from, const QDate &to);

    // "Uchovat vzor": the days of the period (which lies in one month).
    Result<PlanPattern> KlicDoVzoru(const QString &ctm, const QDate &from, const QDate &to);
    // "Použít vzor": day d of the pattern onto day d of the period's month,
    // for the days of the period. Gives the number of days written.
    Result<int> VzorDoKlice(const PlanPattern &pattern, const QString &ctm, const QDate &from,
                            const QDate &to, bool overwrite);

    // "Obsah databáze": the holders with days, by name; deleting one's days
    // or the whole plan gives how many days went.
    Result<QList<PlanHolder>> holders();
    Result<int> eraseKey(const QString &ctm);
    Result<int> eraseAll();

    // "Vytisknout": the lines of the printed plan.
    Result<QStringList> printLines(const QString &ctm, const QDate &from, const QDate &to);

    // The filter that shows one holder's days ("KLIC='X'" for none).
    static QString keyFilter(const QString &ctm);

    // The refusal of a pattern period outside one month.
    static QString patternPeriodText();

private:
    Table &plan();
    // Deletes the records under `filter`.
    Result<int> eraseWhere(const QString &filter);

    TVXDM &m_vx;
    TDB0DM &m_db;
    TDMRPL &m_rpl;
};

} // namespace vardex
