#include "attendance/PlanPattern.h"

#include "attendance/AttendanceSchemas.h"
#include "text/Cp1250.h"
#include "text/LineFile.h"

#include <QFile>
#include <QtEndian>

namespace vardex {

namespace {

constexpr int kDaysAt = 6;
constexpr int kNotesAt = kDaysAt + 31 * DayShiftRecordSize;
constexpr int kNoteRecord = 1 + PlanPatternNoteSize;
static_assert(kNotesAt + 31 * kNoteRecord == PlanPatternSize);

void putWord(QByteArray &bytes, int at, int value)
{
    qToLittleEndian(quint16(value), bytes.data() + at);
}

} // namespace

void VymazatVzor(PlanPattern &pattern)
{
    for (DayShift &day : pattern.days)
        ClearDay(day);
    for (QString &note : pattern.notes)
        note.clear();
}

QByteArray patternToBytes(const PlanPattern &pattern)
{
    QByteArray bytes(PlanPatternSize, '\0');
    putWord(bytes, 0, pattern.year);
    putWord(bytes, 2, pattern.month);
    for (int d = 0; d < 31; ++d) {
        const QByteArray day = DayShiftToBytes(pattern.days[size_t(d)]);
        bytes.replace(kDaysAt + d * DayShiftRecordSize, DayShiftRecordSize, day);
        const QByteArray note = toCp1250(pattern.notes[size_t(d)]).bytes.left(PlanPatternNoteSize);
        const int at = kNotesAt + d * kNoteRecord;
        bytes[at] = char(note.size());
        bytes.replace(at + 1, note.size(), note);
    }
    return bytes;
}

Result<PlanPattern> patternFromBytes(const QByteArray &bytes, const QString &path)
{
    if (bytes.size() != PlanPatternSize)
        return Failure{QStringLiteral("Chybný soubor vzoru: ") + path};
    PlanPattern p;
    // Composed byte by byte: the optimiser cannot see the size check above
    // and warns of reading an empty array.
    const auto word = [&bytes](int at) {
        return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
    };
    p.year = word(0);
    p.month = word(2);
    for (int d = 0; d < 31; ++d) {
        p.days[size_t(d)] = DayShiftFromBytes(
            QByteArrayView(bytes).sliced(kDaysAt + d * DayShiftRecordSize, DayShiftRecordSize));
        const int at = kNotesAt + d * kNoteRecord;
        const int length = std::min(int(quint8(bytes[at])), PlanPatternNoteSize);
        p.notes[size_t(d)] = fromCp1250(QByteArrayView(bytes).sliced(at + 1, length)).text;
    }
    return p;
}

Result<void> savePattern(const QString &path, const PlanPattern &pattern)
{
    const FileWritten written = writeWholeFile(path, patternToBytes(pattern));
    if (!written.ok)
        return Failure{written.error};
    return {};
}

Result<PlanPattern> loadPattern(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor nelze otevřít: ") + path};
    // One byte more than a record, to tell a longer file.
    const QByteArray bytes = file.read(PlanPatternSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Chyba čtení souboru: ") + path};
    return patternFromBytes(bytes, path);
}

QString patternFileFilter()
{
    return QStringLiteral("Vzory rozpisů|*.VZR|Všechny soubory|*.*");
}

} // namespace vardex
