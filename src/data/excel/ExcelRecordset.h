#pragma once

#include <QString>
#include <QStringList>

class ExcelDatabase;

// A forward-only, read-only result of SELECT * FROM [sheet$] on a reading
// connection. The sheet's first row gives the field names: an empty or
// numeric name cell is named F<n> by its position from 1. Every other row is
// one record; every cell comes back as text (see XlsReader::CellText).
class ExcelRecordset {
public:
    explicit ExcelRecordset(ExcelDatabase* db) : m_pDb(db) {}

    // Throws ExcelError for a statement it cannot serve or a missing sheet.
    bool Open(const QString& sql);
    bool IsOpen() const { return m_bOpen; }
    int GetFieldCount() const { return static_cast<int>(m_names.size()); }
    QString GetFieldName(int i) const;
    QString GetFieldValue(int i) const;
    bool IsEOF() const { return !m_bOpen || m_row >= m_rows; }
    // The sheet row of the current record, from 0 (row 0 names the fields).
    unsigned GetSheetRow() const { return m_row; }
    void MoveNext();
    void Close();

private:
    void ReadRow();

    ExcelDatabase* m_pDb;
    bool m_bOpen = false;
    QStringList m_names;
    QStringList m_values;
    unsigned m_row = 0;
    unsigned m_rows = 0;
};
