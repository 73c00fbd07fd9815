#include "admin/AccessScheduleEditor.h"

#include "platform/OperatorMessages.h"
#include "tables/PostError.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

const QString kName = QStringLiteral("NAZEVROZVRHU");
const QString kData = QStringLiteral("DATAROZVRHU");

} // namespace

AccessScheduleEditor::AccessScheduleEditor(Table &schedules, OperatorMessages &messages)
    : m_table(schedules), m_messages(messages), m_lookup(schedules),
      m_savedBeforeInsert(schedules.beforeInsert), m_savedBeforeEdit(schedules.beforeEdit),
      m_savedBeforePost(schedules.beforePost), m_savedOnPostError(schedules.onPostError)
{
    m_table.beforeInsert = [this](Table &) {
        m_block.clear();
        return true;
    };
    m_table.beforeEdit = [this](Table &) {
        tbCasDoStruktury();
        return true;
    };
    m_table.beforePost = [this](Table &) { return tbCasStrukturaDoBaze(); };
    m_table.onPostError = [this](Table &, int code, const QString &) {
        if (code != PostError::KeyViolation)
            return PostErrorAction::Fail;
        m_messages.error(QStringLiteral("Duplicitní název rozvrhu - opravte"));
        return PostErrorAction::Abort;
    };
}

AccessScheduleEditor::~AccessScheduleEditor()
{
    m_table.beforeInsert = m_savedBeforeInsert;
    m_table.beforeEdit = m_savedBeforeEdit;
    m_table.beforePost = m_savedBeforePost;
    m_table.onPostError = m_savedOnPostError;
}

void AccessScheduleEditor::tbCasDoStruktury()
{
    m_block = m_table.isOpen() && !m_table.isEmpty()
                  ? ScheduleBlock::fromBytes(m_table.asBytes(kData))
                  : ScheduleBlock{};
}

bool AccessScheduleEditor::tbCasStrukturaDoBaze()
{
    return m_table.setBytes(kData, m_block.toBytes());
}

void AccessScheduleEditor::tbCasNejblizsiNazev(const QString &name)
{
    if (m_table.setIndex(QString()))
        m_table.findNearest({name});
    tbCasDoStruktury();
}

bool AccessScheduleEditor::tbCasExactNazev(const QString &name)
{
    const bool found = m_table.setIndex(QString()) && m_table.findKey({name});
    tbCasDoStruktury();
    return found;
}

void AccessScheduleEditor::open()
{
    m_table.setIndex(QString());
    m_table.first();
    showCurrent();
}

void AccessScheduleEditor::showCurrent()
{
    m_editedIndex = 0;
    if (!editing())
        tbCasDoStruktury();
}

QString AccessScheduleEditor::counterText()
{
    return QStringLiteral("%1/%2").arg(m_table.recNo()).arg(m_table.recordCount());
}

Result<QStringList> AccessScheduleEditor::names()
{
    return m_lookup.names();
}

bool AccessScheduleEditor::editing() const
{
    return m_table.state() == TableState::Edit || m_table.state() == TableState::Insert;
}

QString AccessScheduleEditor::name() const
{
    return m_table.asString(kName);
}

bool AccessScheduleEditor::setName(const QString &name)
{
    return editing() && m_table.setString(kName, name);
}

bool AccessScheduleEditor::lineClickable(int k) const
{
    if (!editing() || componentOpen() || k < 1 || k > ScheduleComponentCount)
        return false;
    return k == 1 || !m_block.component(k - 1).isEmpty();
}

bool AccessScheduleEditor::postOffered() const
{
    return m_block.count() > 0 && !name().isEmpty();
}

bool AccessScheduleEditor::beginComponent(int k)
{
    if (!lineClickable(k))
        return false;
    m_editedIndex = k;
    m_edited = m_block.component(k);
    keepEndAfterStart();
    return true;
}

void AccessScheduleEditor::setStart(int hour, int minute)
{
    m_edited.start = MakeHourMinute(qBound(0, hour, 23), qBound(0, minute, 59));
    keepEndAfterStart();
}

void AccessScheduleEditor::setEnd(int hour, int minute)
{
    m_edited.end = MakeHourMinute(qBound(0, hour, 23), qBound(0, minute, 59));
    keepEndAfterStart();
}

int AccessScheduleEditor::endHourMinimum() const
{
    return HourOf(m_edited.start);
}

int AccessScheduleEditor::endMinuteMinimum() const
{
    return HourOf(m_edited.end) == HourOf(m_edited.start) ? MinuteOf(m_edited.start) : 0;
}

void AccessScheduleEditor::keepEndAfterStart()
{
    const int hour = qMax(HourOf(m_edited.end), endHourMinimum());
    m_edited.end = MakeHourMinute(hour, MinuteOf(m_edited.end));
    m_edited.end = MakeHourMinute(hour, qMax(MinuteOf(m_edited.end), endMinuteMinimum()));
}

void AccessScheduleEditor::setDay(int day, bool on)
{
    if (on)
        m_edited.days |= dayBit(day);
    else
        m_edited.days &= quint8(~dayBit(day));
}

void AccessScheduleEditor::applyComponent()
{
    if (componentOpen())
        m_block.apply(m_editedIndex, m_edited);
    m_editedIndex = 0;
}

void AccessScheduleEditor::discardComponent()
{
    m_editedIndex = 0;
}

} // namespace vardex
