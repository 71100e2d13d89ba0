#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "data/cParam.h"

// The records as today's spreadsheets: an .xlsx workbook with one sheet
// "Vyn8" and a CSV file, both under the eight column names of the Excel
// 2003 export, every value as text, in record order.

// The column names of the exported sheet.
const QStringList& ExportColumnNames();

// An .xlsx sheet holds at most this many records under its name row.
inline constexpr qsizetype kMaxXlsxRecords = 1048575;
inline constexpr qsizetype kMaxXlsxCellChars = 32767;

// RFC 4180: comma-separated, a field holding a comma, a quote or a line
// break quoted with its quotes doubled, CR LF after every row; UTF-8 after a
// byte-order mark. A field that a spreadsheet program would run as a formula
// is guarded with a leading apostrophe (CsvGuarded), which Load File takes
// off again.
QByteArray FormatCsv(const std::vector<std::unique_ptr<cParam>>& records);

// Each writes the whole file through a temporary one renamed over `path`, or
// nothing. False with a reason fit for the operator in `error`.
bool WriteCsvRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                     QString* error);
bool WriteXlsxRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                      QString* error);

// Any table the same ways: a CSV text under `header`, every value behind the
// formula guard; an .xlsx workbook of one sheet, row `i` given by `rowAt`.
QByteArray FormatCsvTable(const QStringList& header, qsizetype rows,
                          const std::function<QStringList(qsizetype)>& rowAt);
bool WriteXlsxTable(const QString& path, const QString& sheetName, const QStringList& header,
                    qsizetype rows, const std::function<QStringList(qsizetype)>& rowAt,
                    QString* error);
