#pragma once

#include <QHash>
#include <QString>

// The attributes of a connection text such as
//   DRIVER={name};DSN='';DBQ=/path/to/book.xls
// Pairs are KEY=value separated by ';'; keys come back upper-cased. A value in
// braces or double quotes may hold ';'. A bare value runs up to the next ';'
// that starts another KEY= pair (or to the end), so a path holding blanks or a
// lone ';' stays whole. Tokens without '=' (the "ODBC;" prefix) are skipped.
QHash<QString, QString> ParseConnectText(const QString& text);
