#pragma once

#include "platform/db/Schema.h"

#include <QRegularExpression>
#include <QString>
#include <QVariant>
#include <optional>

// How the data-aware controls show a field's value as text and read a typed text back, so that
// an edit box, a grid cell and a lookup list show the same value the same way.
namespace FieldText {

// Dates in the short date format, times of day with seconds and AM/PM, logical values as "True"
// and "False"; a null value is the empty text.
QString display(FieldKind kind, const QVariant &value);

// The value a typed text stands for, or nullopt when the field cannot take it. An empty text is
// null, except in text fields where it is the empty text.
std::optional<QVariant> parse(FieldKind kind, const QString &text);

// The texts a control lets the user type into a field of the kind: only characters that can make
// up such a value, as typing into a number field refuses letters. An empty pattern for text
// fields, which take any text.
QRegularExpression inputPattern(FieldKind kind);

} // namespace FieldText
