#pragma once

#include "admin/AccessSchedule.h"
#include "admin/ScheduleLookup.h"
#include "tables/Table.h"

namespace vardex {

class OperatorMessages;

// What the access time schedules window does with the schedule table: the
// working block of the record shown or edited, the name register, the post
// rule and the editing of one component.
//
// While it lives it keeps the table's steps: a new record starts with an
// empty block, an edit with the record's block, and a post stores the
// working block; a duplicate name is told as "Duplicitní název rozvrhu -
// opravte" and the record stays in edit or insert state. The steps the
// table had before come back when it goes, so an import posts the blocks it
// reads.
class AccessScheduleEditor
{
public:
    AccessScheduleEditor(Table &schedules, OperatorMessages &messages);
    ~AccessScheduleEditor();
    AccessScheduleEditor(const AccessScheduleEditor &) = delete;
    AccessScheduleEditor &operator=(const AccessScheduleEditor &) = delete;

    Table &table() { return m_table; }
    OperatorMessages &messages() { return m_messages; }
    const ScheduleBlock &block() const { return m_block; }

    // --- the table's operations on the working block
    // Loads the block of the current record; clears it when there is none.
    void tbCasDoStruktury();
    // Stores the block into the record being posted.
    bool tbCasStrukturaDoBaze();
    // Moves to the first name at or after `name` and loads its block.
    void tbCasNejblizsiNazev(const QString &name);
    // Moves to the schedule named exactly `name` and loads its block;
    // false (and the cursor where it was) when there is none.
    bool tbCasExactNazev(const QString &name);

    // --- the record
    // Opening: the first schedule.
    void open();
    // After a move, post, cancel or delete: the current record's block,
    // unless a refused post keeps the record in edit state with its block.
    void showCurrent();
    // "current/total", "0/0" for an empty table.
    QString counterText();
    // Every name, read on a cursor of its own.
    Result<QStringList> names();
    bool editing() const;
    QString name() const;
    // The name typed while the record is edited or inserted.
    bool setName(const QString &name);
    // Line 1 is clickable while editing, line k only after a non-empty
    // component k - 1: a new component joins the last one.
    bool lineClickable(int k) const;
    // Post is offered only for a named schedule with a component.
    bool postOffered() const;

    // --- one component
    // Opens component k (1..7) of an edited record; false when its line
    // cannot be clicked.
    bool beginComponent(int k);
    bool componentOpen() const { return m_editedIndex > 0; }
    int componentIndex() const { return m_editedIndex; }
    const ScheduleComponent &edited() const { return m_edited; }
    // The end never lies before the start: moving either time drags the
    // end up to the start when it would (hours first, then minutes of the
    // same hour), so no component with start after end is ever confirmed.
    void setStart(int hour, int minute);
    void setEnd(int hour, int minute);
    int endHourMinimum() const;
    int endMinuteMinimum() const;
    void setDay(int day, bool on);
    // "Použít": the component goes to its position, repeats and empty
    // components drop out.
    void applyComponent();
    // "Přerušit": the block stays as it was.
    void discardComponent();

private:
    void keepEndAfterStart();

    Table &m_table;
    OperatorMessages &m_messages;
    ScheduleLookup m_lookup;
    ScheduleBlock m_block;
    ScheduleComponent m_edited;
    int m_editedIndex = 0;

    decltype(Table::beforeInsert) m_savedBeforeInsert;
    decltype(Table::beforeEdit) m_savedBeforeEdit;
    decltype(Table::beforePost) m_savedBeforePost;
    decltype(Table::onPostError) m_savedOnPostError;
};

} // namespace vardex
