#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "data/excel/SheetReader.h"

#include "data/excel/XlsValues.h"

// A BIFF8 workbook opened for reading: the compound file through libgsf, the
// records by our own checked parser. A file that cannot be read throws
// UnreadableWorkbookError, a missing sheet ExcelError; both messages name the
// file and what is wrong with it.
class XlsReader {
public:
    // Opens and checks the workbook: a readable Excel 97-2003 file that is not
    // password-protected.
    explicit XlsReader(const QString& path);
    // The same for a workbook's bytes; `path` names it in messages.
    XlsReader(const QByteArray& bytes, const QString& path);
    ~XlsReader();
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    QStringList SheetNames() const;
    // Makes the sheet named `name` (in any case) current; throws when absent
    // or when its records are damaged.
    void SelectSheet(const QString& name);
    // Size of the current sheet: one past the last row and column that hold a
    // value (formatted empty cells do not count).
    unsigned Rows() const { return m_rows; }
    unsigned Columns() const { return m_columns; }
    // A cell of the current sheet as text: text as is, whole numbers as their
    // digits, other numbers in their shortest form, dates as YYYY-MM-DD (with
    // " HH:MM:SS" when they carry a time, or the time alone), booleans as 1
    // or 0, errors as #DIV/0! and the like, a formula as its stored result,
    // empty cells empty. `isNumber`, when given, tells whether the cell (or
    // the formula's result) is a number shown as one.
    QString CellText(unsigned row, unsigned column, bool* isNumber = nullptr) const;
    // The first formula cell of the current sheet whose stored result is an
    // empty text, when no formula of the sheet has a result of another kind.
    // A writer that computes no formula (python's xlwt) stores every result
    // so; a spreadsheet program stores the other results too, and then an
    // empty text is the formula's value.
    std::optional<CellRef> CellWithoutValue() const {
        return m_formulasComputed ? std::nullopt : m_withoutValue;
    }

private:
    struct Cell {
        QString text;
        bool number = false;
    };
    struct Sheet {
        QString name;
        quint32 offset = 0;
    };
    void Open(const QByteArray& bytes);
    void ReadGlobals();
    void ReadSheet(const Sheet& sheet);
    void Put(unsigned row, unsigned column, Cell cell);
    // The text of number `value` in a cell of format record `xf`.
    Cell NumberCell(double value, unsigned xf) const;

    QString m_path;
    QByteArray m_stream;
    std::vector<Sheet> m_sheets;
    QStringList m_strings;
    std::vector<DateKind> m_xfDates;  // per cell format record
    bool m_b1904 = false;
    std::vector<std::vector<Cell>> m_cells;  // the current sheet, by row
    unsigned m_rows = 0;
    unsigned m_columns = 0;
    std::optional<CellRef> m_withoutValue;
    bool m_formulasComputed = false;
};
