// Property lists (XML or binary) to and from Qt values, through libplist.
// array ↔ QVariantList, dict ↔ QVariantMap, string ↔ QString, integer ↔ qint64, real ↔ double,
// boolean ↔ bool, data ↔ QByteArray, date ↔ QDateTime.
#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>

// The value held by a property list document, or nullopt when it cannot be parsed.
std::optional<QVariant> parsePropertyList(const QByteArray& document);

// An XML property list document for `value`; nullopt when a value has no property-list form.
std::optional<QByteArray> xmlPropertyList(const QVariant& value);
