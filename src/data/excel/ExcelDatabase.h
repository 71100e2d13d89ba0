#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "data/excel/BiffWriter.h"

class SheetReader;

// A connection of the built-in workbook driver, in the shape the console
// uses: OpenEx to make a new workbook and fill it with CREATE TABLE and
// INSERT INTO, Open to read one through ExcelRecordset. Driver failures
// throw ExcelError.
class ExcelDatabase {
public:
    ExcelDatabase();
    // Releases the connection; a workbook not yet closed is not written.
    ~ExcelDatabase();
    ExcelDatabase(const ExcelDatabase&) = delete;
    ExcelDatabase& operator=(const ExcelDatabase&) = delete;

    // Connects for writing the new workbook named by CREATE_DB (or DBQ). A
    // file that already exists is refused, so nothing is ever overwritten.
    bool OpenEx(const QString& connect);
    // Connects for reading the workbook named by DBQ: .xls, .xlsx or .csv by
    // its extension. Returns false when no connection can be made (another
    // driver, no DBQ, no such file); throws when the file is there but is not
    // a readable workbook.
    bool Open(const QString& connect, bool readOnly = true);
    bool IsOpen() const { return m_bOpen; }
    // Runs CREATE TABLE or INSERT INTO on a connection for writing.
    void ExecuteSQL(const QString& sql);
    // Ends the connection. A new workbook is written now, whole or not at
    // all; a failure throws and leaves no file.
    void Close();

    // The workbook of a reading connection (null otherwise).
    SheetReader* Reader() const { return m_reader.get(); }

private:
    QString PathFor(const QString& connect, const char* key) const;
    SheetData& Table(const QString& name);
    void Release();

    bool m_bOpen = false;
    QString m_path;
    std::vector<SheetData> m_tables;
    std::unique_ptr<SheetReader> m_reader;
};
