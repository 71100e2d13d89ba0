#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class ExcelDatabase;

// A forward-only, read-only result of SELECT * FROM [sheet$] on a reading
// connection. The first row of the sheet that holds a value gives the field
// names: an empty or numeric name cell is named F<n> by its position from 1.
// Every later row that holds a value is one record (wholly empty rows are
// skipped); every cell comes back as text (see XlsReader::CellText).
class ExcelRecordset {
public:
    explicit ExcelRecordset(ExcelDatabase* db) : m_pDb(db) {}

    // Throws ExcelError for a statement it cannot serve or a missing sheet.
    bool Open(const QString& sql);
    bool IsOpen() const { return m_bOpen; }
    int GetFieldCount() const { return static_cast<int>(m_names.size()); }
    QString GetFieldName(int i) const;
    // The text of the cell that field i's name comes from, as a value: the
    // number itself where the name is F<n> for a numeric cell.
    QString GetNameCellText(int i) const;
    QString GetFieldValue(int i) const;
    // Whether field i of the current record holds a number.
    bool IsFieldNumber(int i) const;
    bool IsEOF() const { return !m_bOpen || m_row >= m_rows.size(); }
    void MoveNext();
    void Close();

private:
    void ReadRow();

    ExcelDatabase* m_pDb;
    bool m_bOpen = false;
    QStringList m_names;
    QStringList m_nameCells;
    QStringList m_values;
    QList<bool> m_numbers;
    std::vector<unsigned> m_rows;  // the sheet rows of the records
    size_t m_row = 0;
};
