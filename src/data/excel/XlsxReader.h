#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "data/excel/SheetReader.h"
#include "data/excel/XlsValues.h"

class ZipArchive;

// An .xlsx workbook held in memory: its sheet names, and any sheet's cells
// as the driver gives them (text as is, shared, inline and rich strings
// joined, numbers and dates as SheetReader says, a formula as its stored
// result, 1 and 0 for truth values, errors as Excel shows them).
// Every failure throws UnreadableWorkbookError naming `file`.
class XlsxWorkbook {
public:
    XlsxWorkbook(QByteArray bytes, const QString& file);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    QStringList SheetNames() const { return m_names; }
    // The index of the sheet named `name` in any case; throws ExcelError
    // when there is none.
    qsizetype SheetIndex(const QString& name) const;
    SheetGrid ReadSheet(qsizetype index);

private:
    [[noreturn]] void Fail(const QString& why) const;
    QByteArray Part(const QString& name, qint64 maxBytes);
    void ReadSharedParts();
    void ParseCell(class XmlScanner& x, unsigned* row, unsigned* column, SheetGrid& grid);

    std::unique_ptr<ZipArchive> m_zip;
    QString m_file;
    QStringList m_names;
    QStringList m_sheetParts;
    QString m_stringsPart;
    QString m_stylesPart;
    bool m_date1904 = false;
    bool m_sharedRead = false;
    QStringList m_strings;
    std::vector<DateKind> m_styleKinds;
};

// The sheet named `sheet` (in any case) of the workbook held in `bytes`,
// `file` naming it in messages. Throws ExcelError when there is no such
// sheet, UnreadableWorkbookError when the bytes are no readable workbook.
SheetGrid ReadXlsxSheet(const QByteArray& bytes, const QString& sheet, const QString& file);

class XlsxSheetReader final : public GridSheetReader {
public:
    explicit XlsxSheetReader(const QString& path);
    QStringList SheetNames() const override { return m_book.SheetNames(); }
    void SelectSheet(const QString& name) override;

private:
    XlsxWorkbook m_book;
};
