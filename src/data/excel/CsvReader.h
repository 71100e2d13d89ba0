#pragma once

#include <QByteArray>
#include <QString>

#include "data/excel/SheetReader.h"

// Comma-separated files as one sheet. The separator (comma, semicolon or
// TAB) is the one that splits each of the first lines into the same number
// of fields, more than one; where several do, the one giving more fields,
// then the one whose fields hold the other less (a comma between digits is a
// decimal comma), and when they are still alike the file is refused rather
// than guessed. Fields may be quoted, with quotes doubled inside and line
// breaks kept; text is UTF-8, with or without a byte-order mark, else
// Latin-1. Every line must hold as many fields as the first; wholly empty
// lines are skipped. A field that reads as a decimal number counts as a
// number but keeps its text as written. A field guarded against formulas
// (see CsvGuarded) comes back without its guard.

// The sheet held by `bytes`; `file` names the file in messages. Throws
// UnreadableWorkbookError.
SheetGrid ReadCsvSheet(const QByteArray& bytes, const QString& file);

// UTF-8 when the bytes are (a leading byte-order mark dropped), else Latin-1.
QString DecodeCsvText(const QByteArray& bytes);

// A field as written for spreadsheets: one that starts with '=', '+', '-',
// '@', TAB or CR (after any apostrophes) gets a leading apostrophe, so that
// no spreadsheet program runs it as a formula. CsvUnguarded takes it off.
QString CsvGuarded(const QString& field);
QString CsvUnguarded(const QString& field);

class CsvSheetReader final : public GridSheetReader {
public:
    explicit CsvSheetReader(const QString& path);
    // The file is the one sheet: it answers to any name.
    QStringList SheetNames() const override { return {m_name}; }
    void SelectSheet(const QString&) override {}

private:
    QString m_name;
};
