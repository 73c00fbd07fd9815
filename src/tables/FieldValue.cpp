#include "tables/FieldValue.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace vardex::FieldValue {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QDate readDate(const QString &text)
{
    for (const QString &format : {kDateFormat, QStringLiteral("d.M.yyyy")}) {
        const QDate d = QDate::fromString(text.trimmed(), format);
        if (d.isValid())
            return d;
    }
    return {};
}

QTime readTime(const QString &text)
{
    for (const QString &format : {kTimeFormat, QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime t = QTime::fromString(text.trimmed(), format);
        if (t.isValid())
            return t;
    }
    return {};
}

QDateTime readDateTime(const QString &text)
{
    for (const QString &format :
         {kDateTimeFormat, QStringLiteral("d.M.yyyy H:mm:ss"), QStringLiteral("d.M.yyyy H:mm")}) {
        const QDateTime dt = QDateTime::fromString(text.trimmed(), format);
        if (dt.isValid())
            return dt;
    }
    return {};
}

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

} // namespace

QString sqlType(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::Float:
        return QStringLiteral("REAL");
    case FieldType::Bytes:
        return QStringLiteral("BLOB");
    case FieldType::String:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        break;
    }
    return QStringLiteral("TEXT");
}

QVariant toStorage(const FieldDef &field, const QVariant &value)
{
    if (isNull(value))
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    switch (field.type) {
    case FieldType::String: {
        QString s = value.toString();
        if (field.size > 0 && s.size() > field.size)
            s.truncate(field.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Integer:
    case FieldType::AutoInc: {
        bool ok = false;
        const int i = isText ? value.toString().trimmed().toInt(&ok) : value.toInt(&ok);
        return ok ? QVariant(qint64(i)) : QVariant();
    }
    case FieldType::Float: {
        bool ok = false;
        const double d = isText
                             ? QString(value.toString().trimmed()).replace(',', '.').toDouble(&ok)
                             : value.toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean:
        if (isText) {
            const QString s = value.toString().trimmed();
            if (s.isEmpty())
                return {};
            return QVariant(qint64(s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                                   s == QLatin1String("1")));
        }
        return QVariant(qint64(value.toBool() ? 1 : 0));
    case FieldType::Date: {
        const QDate d = isText ? readDate(value.toString()) : value.toDate();
        return d.isValid() ? QVariant(d.toString(kDateFormat)) : QVariant();
    }
    case FieldType::Time: {
        const QTime t = isText ? readTime(value.toString()) : value.toTime();
        return t.isValid() ? QVariant(t.toString(kTimeFormat)) : QVariant();
    }
    case FieldType::DateTime: {
        const QDateTime dt = isText ? readDateTime(value.toString()) : value.toDateTime();
        return dt.isValid() ? QVariant(dt.toString(kDateTimeFormat)) : QVariant();
    }
    case FieldType::Bytes: {
        QByteArray b = value.toByteArray();
        if (field.size > 0)
            b.resize(field.size, '\0');
        return QVariant(b);
    }
    }
    return {};
}

QVariant fromStorage(const FieldDef &field, const QVariant &stored)
{
    if (isNull(stored))
        return {};
    switch (field.type) {
    case FieldType::String:
        return stored.toString();
    case FieldType::Integer:
    case FieldType::AutoInc:
        return stored.toInt();
    case FieldType::Float:
        return stored.toDouble();
    case FieldType::Boolean:
        return stored.toLongLong() != 0;
    case FieldType::Date:
        return QDate::fromString(stored.toString(), kDateFormat);
    case FieldType::Time:
        return QTime::fromString(stored.toString(), kTimeFormat);
    case FieldType::DateTime:
        return QDateTime::fromString(stored.toString(), kDateTimeFormat);
    case FieldType::Bytes:
        return stored.toByteArray();
    }
    return {};
}

QString toText(const FieldDef &field, const QVariant &stored)
{
    const QVariant v = fromStorage(field, stored);
    if (!v.isValid())
        return {};
    switch (field.type) {
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case FieldType::Time:
        return v.toTime().toString(kTimeFormat);
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Bytes:
        return QString::fromLatin1(v.toByteArray());
    case FieldType::Float:
        return QString::number(v.toDouble());
    default:
        return v.toString();
    }
}

QVariant fromText(const FieldDef &field, const QString &text)
{
    if (field.type == FieldType::Bytes)
        return toStorage(field, QVariant(text.toLatin1()));
    return toStorage(field, QVariant(text));
}

} // namespace vardex::FieldValue
