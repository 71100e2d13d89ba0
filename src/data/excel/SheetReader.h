#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "data/excel/ExcelError.h"

// A cell's place in a sheet, from 0.
struct CellRef {
    unsigned row = 0;
    unsigned column = 0;
    bool operator<(const CellRef& o) const {
        return row != o.row ? row < o.row : column < o.column;
    }
};

// What the driver reads a sheet through, whatever the file's format: the
// sheet names, then the cells of one sheet as texts. Every format gives a
// cell the same text: text as is, whole numbers as their digits, other
// numbers in their shortest form, dates as YYYY-MM-DD (with " HH:MM:SS" when
// they carry a time), empty cells empty.
class SheetReader {
public:
    virtual ~SheetReader() = default;
    virtual QStringList SheetNames() const = 0;
    // Makes the sheet named `name` (in any case) current. Throws ExcelError
    // when there is none, UnreadableWorkbookError when it cannot be read.
    virtual void SelectSheet(const QString& name) = 0;
    virtual unsigned Rows() const = 0;
    virtual unsigned Columns() const = 0;
    // `isNumber`, when given, tells whether the cell held a number.
    virtual QString CellText(unsigned row, unsigned column, bool* isNumber = nullptr) const = 0;
    // The first cell of the current sheet (by row, then column) that is a
    // formula saved without its result: its value cannot be known, and it
    // reads as empty.
    virtual std::optional<CellRef> CellWithoutValue() const = 0;
};

// The format a sheet file is read as, by its extension in any case: "xlsx",
// "csv", anything else "xls".
QString SheetFormatOfName(const QString& path);

// The reader for the file at `path`, of the format SheetFormatOfName() gives. Throws
// UnreadableWorkbookError when the file cannot be read as what its name says: not that format,
// encrypted, truncated, or too big; the message names the file and why.
std::unique_ptr<SheetReader> OpenSheetReader(const QString& path);

// The bytes of the file at `path`. Throws UnreadableWorkbookError when it cannot
// be read or is larger than `maxBytes`.
QByteArray ReadWholeFile(const QString& path, qint64 maxBytes);

// Limits of the readers, so no file can make them run out of memory or time.
inline constexpr unsigned kMaxGridRows = 1048576;
inline constexpr unsigned kMaxGridColumns = 16384;
// Rows times columns of a sheet's used range.
inline constexpr qint64 kMaxGridCells = 4 * 1024 * 1024;

struct SheetCell {
    QString text;
    bool number = false;
};

// The cells of one sheet, kept sparse: only cells holding a value.
class SheetGrid {
public:
    // Sets a cell; rows and columns grow as needed. Throws
    // UnreadableWorkbookError (naming `file`) past the limits above.
    void Set(unsigned row, unsigned column, SheetCell cell, const QString& file);
    unsigned Rows() const { return static_cast<unsigned>(m_rows.size()); }
    unsigned Columns() const { return m_columns; }
    // The cell, or null when empty.
    const SheetCell* Cell(unsigned row, unsigned column) const;
    // Notes a formula cell saved without its result.
    void SetWithoutValue(CellRef cell);
    std::optional<CellRef> CellWithoutValue() const { return m_withoutValue; }

private:
    using Row = std::vector<std::pair<unsigned, SheetCell>>;  // by column
    std::vector<Row> m_rows;
    unsigned m_columns = 0;
    qint64 m_cells = 0;
    std::optional<CellRef> m_withoutValue;
};

// A reader whose current sheet is a SheetGrid.
class GridSheetReader : public SheetReader {
public:
    unsigned Rows() const override { return m_grid.Rows(); }
    unsigned Columns() const override { return m_grid.Columns(); }
    QString CellText(unsigned row, unsigned column, bool* isNumber = nullptr) const override;
    std::optional<CellRef> CellWithoutValue() const override { return m_grid.CellWithoutValue(); }

protected:
    SheetGrid m_grid;
};
