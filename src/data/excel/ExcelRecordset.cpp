#include "data/excel/ExcelRecordset.h"

#include <variant>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"
#include "data/excel/SheetReader.h"
#include "data/excel/SqlText.h"

bool ExcelRecordset::Open(const QString& sql) {
    Close();
    SheetReader* book = m_pDb ? m_pDb->Reader() : nullptr;
    if (!book) {
        throw ExcelError("The connection is not open for reading");
    }
    const SqlStatement st = ParseSql(sql);
    const auto* select = std::get_if<SqlSelectAll>(&st);
    if (!select) {
        throw ExcelError("A record set runs only SELECT * FROM [sheet$]");
    }
    book->SelectSheet(select->sheet);
    m_rows = book->Rows();
    const unsigned columns = m_rows == 0 ? 1 : book->Columns();
    for (unsigned c = 0; c < columns; ++c) {
        bool number = false;
        const QString name = m_rows == 0 ? QString() : book->CellText(0, c, &number);
        m_names << ((name.isEmpty() || number) ? QString("F%1").arg(c + 1) : name);
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

QString ExcelRecordset::GetFieldValue(int i) const {
    if (IsEOF() || i < 0 || i >= m_values.size()) {
        throw ExcelError(QString("No field %1 in the current record").arg(i));
    }
    return m_values[i];
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
    m_values.clear();
    m_row = m_rows = 0;
}

void ExcelRecordset::ReadRow() {
    m_values.clear();
    if (IsEOF()) {
        return;
    }
    const SheetReader* book = m_pDb->Reader();
    for (qsizetype c = 0; c < m_names.size(); ++c) {
        m_values << book->CellText(m_row, static_cast<unsigned>(c));
    }
}
