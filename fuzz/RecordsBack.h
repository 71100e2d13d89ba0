#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelRecordset.h"

// The records of the "vyn8" sheet of the workbook at `path`, read the way
// Load File reads it; the field names go to `names`. False when no
// connection can be made; a workbook that cannot be read throws ExcelError.
inline bool ReadRecordsBack(const QString& path, QStringList* names,
                            std::vector<std::array<QString, 8>>* rows) {
    ExcelDatabase db;
    if (!db.Open(QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(kBuiltinExcelDriverName, path))) {
        return false;
    }
    ExcelRecordset rs(&db);
    rs.Open("SELECT *  FROM [vyn8$]");
    for (int i = 0; i < rs.GetFieldCount(); ++i) {
        *names << rs.GetFieldName(i);
    }
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::array<QString, 8> row;
        for (int i = 0; i < rs.GetFieldCount() && i < 8; ++i) {
            row[static_cast<size_t>(i)] = rs.GetFieldValue(i);
        }
        rows->push_back(row);
    }
    return true;
}
