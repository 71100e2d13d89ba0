#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// One worksheet to write: its name and its rows of texts, first row first.
struct SheetData {
    QString name;
    std::vector<QStringList> rows;
};

// Limits of an Excel 97-2003 worksheet.
inline constexpr int kMaxSheetRows = 65536;
inline constexpr int kMaxSheetColumns = 256;
inline constexpr int kMaxCellChars = 32767;
inline constexpr int kMaxSheetNameChars = 31;

// The "Workbook" stream of a BIFF8 workbook holding `sheets` in order: the
// workbook globals, the shared strings, then one substream per sheet with
// every non-empty text as a LABELSST cell. The caller keeps to the limits.
QByteArray BuildWorkbookStream(const std::vector<SheetData>& sheets);
