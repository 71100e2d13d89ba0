#pragma once

#include <QHash>
#include <QString>

// The attributes of a connection text such as
//   DRIVER={name};DSN='';DBQ=/path/to/book.xls
// Pairs are KEY=value separated by ';'; keys come back upper-cased. A value in
// braces or double quotes may hold ';'. A bare value runs up to the next ';'
// that starts another KEY= pair (or to the end), so a path holding blanks or a
// lone ';' stays whole. In braces, "}}" stands for '}'. Values are taken as
// they are, blanks included. Tokens without '=' (the "ODBC;" prefix) are
// skipped.
QHash<QString, QString> ParseConnectText(const QString& text);

// `value` as the value of a KEY=value pair that gives back exactly `value`:
// as it is (between `quote` marks when given) when it holds no ';', '"',
// '{' or '}' and no blank at either end; otherwise in braces with every '}'
// doubled, so that no character of a file name can end the value or start
// another pair.
QString ConnectValue(const QString& value, const QString& quote = QString());

// The connection texts of the workbook export (CREATE_DB and DBQ name the new
// workbook) and of Load File (DBQ names the workbook to read).
QString ExportConnectText(const QString& driver, const QString& path);
QString ImportConnectText(const QString& driver, const QString& path);
