#pragma once

#include <QString>
#include <QStringList>
#include <variant>

// The statements the workbook driver serves:
//   CREATE TABLE name(col TEXT, ...)
//   INSERT INTO name (col, ...) VALUES ('text', ...)   ('' inside quotes is ')
//   SELECT * FROM [sheet$]
// Keywords match in any case; blanks between tokens may vary; a name may be
// written bare or in brackets.
struct SqlCreateTable {
    QString table;
    QStringList columns;
};
struct SqlInsert {
    QString table;
    QStringList columns;
    QStringList values;  // NULL is an empty text
};
struct SqlSelectAll {
    QString sheet;  // without the '$'
};
using SqlStatement = std::variant<SqlCreateTable, SqlInsert, SqlSelectAll>;

// Throws ExcelError naming what is wrong with the statement.
SqlStatement ParseSql(const QString& sql);
// Table, sheet and column names match in any case: the first index of `name`
// in `names`, or -1.
qsizetype IndexOfName(const QStringList& names, const QString& name);
