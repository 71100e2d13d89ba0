#pragma once

#include <QString>
#include <QStringList>

// A BIFF8 workbook opened for reading (freexl). Every failure throws
// ExcelError with a message naming the file and what is wrong with it.
class XlsReader {
public:
    // Opens and checks the workbook: a readable Excel 97-2003 file that is not
    // password-protected.
    explicit XlsReader(const QString& path);
    ~XlsReader();
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    QStringList SheetNames() const { return m_sheets; }
    // Makes the sheet named `name` (in any case) current; throws when absent.
    void SelectSheet(const QString& name);
    // Size of the current sheet.
    unsigned Rows() const { return m_rows; }
    unsigned Columns() const { return m_columns; }
    // A cell of the current sheet as text: text as is, whole numbers as their
    // digits, other numbers in their shortest form, dates as YYYY-MM-DD (with
    // " HH:MM:SS" when they carry a time), empty cells empty. `isNumber`, when
    // given, tells whether the cell held a number.
    QString CellText(unsigned row, unsigned column, bool* isNumber = nullptr) const;

private:
    const void* m_handle = nullptr;
    QString m_path;
    QStringList m_sheets;
    unsigned m_rows = 0;
    unsigned m_columns = 0;
};

// A number as the driver shows it: "12", "3.5", "-0.25", "1e+20".
QString NumberText(double value);
