#include "data/excel/SheetReader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "data/excel/CsvReader.h"
#include "data/excel/XlsReader.h"
#include "data/excel/XlsxReader.h"

namespace {

// The Excel 97-2003 reader behind the common interface.
class XlsSheetReader final : public SheetReader {
public:
    explicit XlsSheetReader(const QString& path) : m_book(path) {}
    QStringList SheetNames() const override { return m_book.SheetNames(); }
    void SelectSheet(const QString& name) override { m_book.SelectSheet(name); }
    unsigned Rows() const override { return m_book.Rows(); }
    unsigned Columns() const override { return m_book.Columns(); }
    QString CellText(unsigned row, unsigned column, bool* isNumber) const override {
        return m_book.CellText(row, column, isNumber);
    }
    std::optional<CellRef> CellWithoutValue() const override { return m_book.CellWithoutValue(); }

private:
    XlsReader m_book;
};

}  // namespace

QString SheetFormatOfName(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == "xlsx" || ext == "csv" ? ext : QStringLiteral("xls");
}

std::unique_ptr<SheetReader> OpenSheetReader(const QString& path) {
    const QString format = SheetFormatOfName(path);
    if (format == "xlsx") {
        return std::make_unique<XlsxSheetReader>(path);
    }
    if (format == "csv") {
        return std::make_unique<CsvSheetReader>(path);
    }
    return std::make_unique<XlsSheetReader>(path);
}

QByteArray ReadWholeFile(const QString& path, qint64 maxBytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(path, f.errorString()));
    }
    if (f.size() > maxBytes) {
        throw UnreadableWorkbookError(QString("Cannot read %1: it is larger than %2 MB")
                                          .arg(path)
                                          .arg(maxBytes / (1024 * 1024)));
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFile::NoError) {
        throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(path, f.errorString()));
    }
    return bytes;
}

void SheetGrid::Set(unsigned row, unsigned column, SheetCell cell, const QString& file) {
    const auto tooBig = [&file](const QString& what) {
        return UnreadableWorkbookError(QString("Cannot read %1: %2").arg(file, what));
    };
    if (row >= kMaxGridRows || column >= kMaxGridColumns) {
        throw tooBig(QString("a cell lies outside the %1 rows and %2 columns a sheet can have")
                         .arg(kMaxGridRows)
                         .arg(kMaxGridColumns));
    }
    const qint64 rows = std::max<qint64>(m_rows.size(), row + 1);
    const qint64 columns = std::max(m_columns, column + 1);
    if (rows * columns > kMaxGridCells || ++m_cells > kMaxGridCells) {
        throw tooBig(QString("the sheet is too large (more than %1 cells)").arg(kMaxGridCells));
    }
    if (m_rows.size() < rows) {
        m_rows.resize(static_cast<size_t>(rows));
    }
    m_columns = static_cast<unsigned>(columns);
    Row& r = m_rows[row];
    if (r.empty() || r.back().first < column) {
        r.emplace_back(column, std::move(cell));
        return;
    }
    // Cells out of order, or a cell given twice: the last one holds.
    const auto at = std::lower_bound(r.begin(), r.end(), column,
                                     [](const auto& c, unsigned col) { return c.first < col; });
    if (at != r.end() && at->first == column) {
        at->second = std::move(cell);
        --m_cells;
    } else {
        r.emplace(at, column, std::move(cell));
    }
}

const SheetCell* SheetGrid::Cell(unsigned row, unsigned column) const {
    if (row >= m_rows.size()) {
        return nullptr;
    }
    const Row& r = m_rows[row];
    const auto at = std::lower_bound(r.begin(), r.end(), column,
                                     [](const auto& c, unsigned col) { return c.first < col; });
    return at != r.end() && at->first == column ? &at->second : nullptr;
}

void SheetGrid::SetWithoutValue(CellRef cell) {
    if (!m_withoutValue || cell < *m_withoutValue) {
        m_withoutValue = cell;
    }
}

QString GridSheetReader::CellText(unsigned row, unsigned column, bool* isNumber) const {
    const SheetCell* cell = m_grid.Cell(row, column);
    if (isNumber) {
        *isNumber = cell && cell->number;
    }
    return cell ? cell->text : QString();
}
