#pragma once

// Independent writers and readers of .xlsx and CSV files for the tests:
// python3 with openpyxl, Python's csv module, and LibreOffice headless.
// Sheets and rows are given and returned as in PythonSheets.h.

#include "data/excel/PythonSheets.h"

// Writes an .xlsx with openpyxl (strings become inline strings). Besides the
// cell kinds of WriteWithXlwt, {"formula": "=..."} writes a formula (which
// openpyxl stores without a result).
bool WriteWithOpenpyxl(const QString& python, const QString& path, const QJsonArray& sheets);
// Every sheet as openpyxl reads it; every value as its text, an empty cell
// as "".
QJsonArray ReadWithOpenpyxl(const QString& python, const QString& path);

// Writes rows of strings and numbers with the csv module: `delimiter`, and
// `encoding` a Python codec ("utf-8-sig" writes a byte-order mark).
bool WriteWithCsvModule(const QString& python, const QString& path, const QJsonArray& rows,
                        const QString& delimiter = ",", const QString& encoding = "utf-8");
// The rows of a UTF-8 CSV file (a byte-order mark dropped) as the csv module
// reads them.
QJsonArray ReadWithCsvModule(const QString& python, const QString& path);

// The workbook `xls` as read by xlrd, written again by openpyxl (`to` ends
// in .xlsx) or, its sheet "vyn8" only, by the csv module (.csv). Needs a
// python with xlrd and openpyxl; returns false (failing the test) on error.
bool CopyXlsAs(const QString& python, const QString& xls, const QString& to);

// The LibreOffice program, or empty when it is not installed.
QString FindLibreOffice();
// Converts `path` with LibreOffice to `format` ("xlsx", or "csv:<filter>") in
// `outDir`, read with the import filter `inFilter` when given ("CSV:44,34,76"
// for UTF-8 comma-separated text); returns the new file's path, or empty
// (failing the test).
QString ConvertWithLibreOffice(const QString& soffice, const QString& path, const QString& outDir,
                               const QString& format, const QString& inFilter = QString());
// Converts `path` with LibreOffice to a UTF-8, comma-separated CSV file in
// `outDir` (the first sheet); returns its path, or empty (failing the test).
QString ConvertToCsvWithLibreOffice(const QString& soffice, const QString& path,
                                    const QString& outDir);

#define SKIP_WITHOUT_LIBREOFFICE(var)                                                \
    const QString var = FindLibreOffice();                                           \
    if (var.isEmpty()) {                                                             \
        GTEST_SKIP() << "skipped: LibreOffice is not installed (soffice not found)"; \
    }
