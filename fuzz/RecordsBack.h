#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>
#include <vector>

#include "FuzzInput.h"

#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"

// The connection text with which Load File opens the workbook at `path`.
inline QString LoadFileConnection(const QString& path) {
    return ImportConnectText(kBuiltinExcelDriverName, path);
}

// The records of the "vyn8" sheet of the workbook at `path`, read the way
// Load File reads it; the field names go to `names`. False when no
// connection can be made; a workbook that cannot be read throws ExcelError.
inline bool TryReadRecordsBack(const QString& path, QStringList* names,
                               std::vector<std::array<QString, 8>>* rows) {
    ExcelDatabase db;
    if (!db.Open(LoadFileConnection(path))) {
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

// The same for a workbook we have just written: a connection that fails or
// a workbook that cannot be read stops the target.
inline void ReadRecordsBack(const QString& path, QStringList* names,
                            std::vector<std::array<QString, 8>>* rows) {
    try {
        FUZZ_CHECK(TryReadRecordsBack(path, names, rows), "Load File opens the written workbook");
    } catch (const ExcelError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        FUZZ_CHECK(false, "the written workbook reads");
    }
}
