#pragma once

#include <QString>

// RFC 4180 text: comma-separated, a field holding a comma, a quote or a line
// break quoted with its quotes doubled, CR LF after every row. Files start
// with the UTF-8 byte-order mark so that spreadsheet programs read UTF-8.

inline constexpr const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

inline void AppendCsvField(QString& out, const QString& value) {
    if (value.contains(',') || value.contains('"') || value.contains('\n') ||
        value.contains('\r')) {
        out += '"';
        out += QString(value).replace('"', "\"\"");
        out += '"';
    } else {
        out += value;
    }
}

void AppendCsvRow(QString& out, const auto& values) {
    bool first = true;
    for (const QString& v : values) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCsvField(out, v);
    }
    out += "\r\n";
}
