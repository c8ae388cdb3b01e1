#include "platform/ui/FieldText.h"

#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"

#include <cmath>

namespace FieldText {

namespace {

const QString TimeFormat = QStringLiteral("h:mm:ss AP");
const QStringList TimeInputFormats = {QStringLiteral("h:mm:ss AP"), QStringLiteral("h:mm AP"),
                                      QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")};

QString timeText(double value)
{
    return TimeValue::toTime(value).toString(TimeFormat);
}

std::optional<double> parseDate(const QString &text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("M/d/yyyy"));
    if (!date.isValid())
        return std::nullopt;
    return TimeValue::fromDate(date);
}

std::optional<double> parseTime(const QString &text)
{
    for (const QString &format : TimeInputFormats) {
        const QTime time = QTime::fromString(text.toUpper(), format);
        if (time.isValid())
            return TimeValue::fromTime(time);
    }
    return std::nullopt;
}

std::optional<double> parseDateTime(const QString &text)
{
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const std::optional<double> date = parseDate(space < 0 ? text : text.left(space));
    if (!date || space < 0)
        return date;
    const std::optional<double> time = parseTime(text.mid(space + 1).trimmed());
    if (!time)
        return std::nullopt;
    return *date + *time;
}

std::optional<QVariant> parseNumber(FieldKind kind, const QString &text)
{
    if (kind == FieldKind::Integer || kind == FieldKind::AutoInc) {
        static const QRegularExpression integer(QStringLiteral("^[+-]?\\d{1,9}$"));
        if (!integer.match(text).hasMatch())
            return std::nullopt;
        return text.toInt();
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QVariant> parseLogical(const QString &text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<QVariant> asVariant(const std::optional<double> &value)
{
    return value ? std::optional<QVariant>(*value) : std::nullopt;
}

} // namespace

QString display(FieldKind kind, const QVariant &value)
{
    if (FieldValue::isNull(value))
        return QString();
    switch (kind) {
    case FieldKind::Date:
        return TimeValue::toShortDateText(value.toDouble());
    case FieldKind::Time:
        return timeText(value.toDouble());
    case FieldKind::DateTime: {
        const double days = value.toDouble();
        const QString date = TimeValue::toShortDateText(days);
        return days == std::floor(days) ? date : date + QLatin1Char(' ') + timeText(days);
    }
    case FieldKind::Logical:
        return FieldValue::asBoolean(value) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

std::optional<QVariant> parse(FieldKind kind, const QString &text)
{
    if (kind == FieldKind::String || kind == FieldKind::Memo)
        return QVariant(text);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QVariant();
    switch (kind) {
    case FieldKind::Date:
        return asVariant(parseDate(trimmed));
    case FieldKind::Time:
        return asVariant(parseTime(trimmed));
    case FieldKind::DateTime:
        return asVariant(parseDateTime(trimmed));
    case FieldKind::Logical:
        return parseLogical(trimmed);
    default:
        return parseNumber(kind, trimmed);
    }
}

QRegularExpression inputPattern(FieldKind kind)
{
    switch (kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return QRegularExpression(QStringLiteral("[+-]?\\d{0,9}"));
    case FieldKind::Float:
        return QRegularExpression(QStringLiteral("[+-]?\\d*\\.?\\d*([eE][+-]?\\d*)?"));
    case FieldKind::Date:
        return QRegularExpression(QStringLiteral("[\\d/]*"));
    case FieldKind::Time:
        return QRegularExpression(QStringLiteral("[\\d: aApPmM]*"));
    case FieldKind::DateTime:
        return QRegularExpression(QStringLiteral("[\\d/: aApPmM]*"));
    case FieldKind::Logical:
        return QRegularExpression(QStringLiteral("[A-Za-z]*"));
    default:
        return QRegularExpression();
    }
}

} // namespace FieldText
