// Reader of "Localizable.strings" tables: lines of "key" = "value"; with /* */ and // comments
// and backslash escapes (\n \t \r \" \' \\ \uXXXX \UXXXX). The file is UTF-8.
#pragma once

#include <QHash>
#include <QString>

#include <optional>

using StringsTable = QHash<QString, QString>;

struct StringsParseError {
    int line = 0;
    QString message;
};

// The table, or nullopt with the first error in `error`.
std::optional<StringsTable> parseStringsTable(QStringView text, StringsParseError* error = nullptr);

// Reads and parses a file; a missing or unreadable file is an error too.
std::optional<StringsTable> readStringsTable(const QString& path,
                                             StringsParseError* error = nullptr);
