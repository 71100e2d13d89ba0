#include "data/excel/ExcelRecordset.h"

#include <algorithm>
#include <variant>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"
#include "data/excel/SqlText.h"
#include "data/excel/XlsReader.h"

bool ExcelRecordset::Open(const QString& sql) {
    Close();
    XlsReader* book = m_pDb ? m_pDb->Reader() : nullptr;
    if (!book) {
        throw ExcelError("The connection is not open for reading");
    }
    const SqlStatement st = ParseSql(sql);
    const auto* select = std::get_if<SqlSelectAll>(&st);
    if (!select) {
        throw ExcelError("A record set runs only SELECT * FROM [sheet$]");
    }
    book->SelectSheet(select->sheet);
    const unsigned columns = book->Columns();
    const auto holdsValue = [book, columns](unsigned row) {
        for (unsigned c = 0; c < columns; ++c) {
            if (!book->CellText(row, c).isEmpty()) {
                return true;
            }
        }
        return false;
    };
    for (unsigned r = 0; r < book->Rows(); ++r) {
        if (holdsValue(r)) {
            m_rows.push_back(r);
        }
    }
    // The first row in use names the fields; an empty sheet has one field.
    for (unsigned c = 0; c < std::max(columns, 1u); ++c) {
        bool number = false;
        const QString cell = m_rows.empty() ? QString() : book->CellText(m_rows[0], c, &number);
        m_nameCells << cell;
        m_names << ((cell.isEmpty() || number) ? QString("F%1").arg(c + 1) : cell);
    }
    m_row = 1;
    m_bOpen = true;
    ReadRow();
    return true;
}

QString ExcelRecordset::GetFieldName(int i) const {
    if (i < 0 || i >= m_names.size()) {
        throw ExcelError(QString("No field %1").arg(i));
    }
    return m_names[i];
}

QString ExcelRecordset::GetNameCellText(int i) const {
    GetFieldName(i);  // throws for a field that is not there
    return m_nameCells[i];
}

QString ExcelRecordset::GetFieldValue(int i) const {
    if (IsEOF() || i < 0 || i >= m_values.size()) {
        throw ExcelError(QString("No field %1 in the current record").arg(i));
    }
    return m_values[i];
}

bool ExcelRecordset::IsFieldNumber(int i) const {
    GetFieldValue(i);  // throws for a field that is not there
    return m_numbers[i];
}

void ExcelRecordset::MoveNext() {
    if (IsEOF()) {
        throw ExcelError("Moved past the last record");
    }
    ++m_row;
    ReadRow();
}

void ExcelRecordset::Close() {
    m_bOpen = false;
    m_names.clear();
    m_nameCells.clear();
    m_values.clear();
    m_numbers.clear();
    m_rows.clear();
    m_row = 0;
}

void ExcelRecordset::ReadRow() {
    m_values.clear();
    m_numbers.clear();
    if (IsEOF()) {
        return;
    }
    const XlsReader* book = m_pDb->Reader();
    for (qsizetype c = 0; c < m_names.size(); ++c) {
        bool number = false;
        m_values << book->CellText(m_rows[m_row], static_cast<unsigned>(c), &number);
        m_numbers << number;
    }
}
