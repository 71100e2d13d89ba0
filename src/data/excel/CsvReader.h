#pragma once

#include <QByteArray>
#include <QString>

#include "data/excel/SheetReader.h"

// Comma-separated files as one sheet: the separator (comma, semicolon or
// TAB) is the one the first line uses most; fields may be quoted, with
// quotes doubled inside and line breaks kept; text is UTF-8, with or without
// a byte-order mark, else Latin-1. Every line must hold as many fields as the
// first; wholly empty lines are skipped. A field that reads as a decimal
// number counts as a number but keeps its text as written.

// The sheet held by `bytes`; `file` names the file in messages. Throws
// UnreadableWorkbookError.
SheetGrid ReadCsvSheet(const QByteArray& bytes, const QString& file);

// UTF-8 when the bytes are (a leading byte-order mark dropped), else Latin-1.
QString DecodeCsvText(const QByteArray& bytes);

class CsvSheetReader final : public GridSheetReader {
public:
    explicit CsvSheetReader(const QString& path);
    // The file is the one sheet: it answers to any name.
    QStringList SheetNames() const override { return {m_name}; }
    void SelectSheet(const QString&) override {}

private:
    QString m_name;
};
