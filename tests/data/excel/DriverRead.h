#pragma once

// A sheet read through the driver as Load File reads it.

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelRecordset.h"

inline QString ReadConnect(const QString& path) {
    return QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(kBuiltinExcelDriverName, path);
}

// The field names, then every record, all as text. Driver errors propagate.
inline std::vector<QStringList> ReadAll(const QString& path, const QString& sheet = "vyn8") {
    ExcelDatabase db;
    if (!db.Open(ReadConnect(path))) {
        ADD_FAILURE() << "no connection to " << path.toStdString();
        return {};
    }
    ExcelRecordset rs(&db);
    rs.Open(QString("SELECT *  FROM [%1$]").arg(sheet));
    std::vector<QStringList> out(1);
    for (int i = 0; i < rs.GetFieldCount(); ++i) {
        out[0] << rs.GetFieldName(i);
    }
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.GetFieldCount(); ++i) {
            row << rs.GetFieldValue(i);
        }
        out.push_back(row);
    }
    return out;
}
