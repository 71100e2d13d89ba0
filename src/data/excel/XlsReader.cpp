#include "data/excel/XlsReader.h"

#include <QFile>
#include <QHash>
#include <cstring>

#include "data/excel/BiffInput.h"
#include "data/excel/BiffRecords.h"
#include "data/excel/ExcelError.h"
#include "data/excel/OleFile.h"
#include "data/excel/SqlText.h"

using namespace biff;

namespace {

constexpr unsigned kMaxColumns = 256;

[[noreturn]] void Unreadable(const QString& why) {
    throw UnreadableWorkbookError(why);
}

// An RK number: a 30-bit integer or the top of a double, maybe over 100.
double RkValue(quint32 rk) {
    double value;
    if (rk & 0x02) {
        value = static_cast<qint32>(rk) >> 2;
    } else {
        const quint64 bits = static_cast<quint64>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

// The text of a LABEL (or RSTRING) record from byte `at` on.
QString RecordText(QByteArrayView data, qsizetype at) {
    U16(data, at);  // the record holds at least the text's length
    return ContinuedReader({data.sliced(at)}).UnicodeString(false);
}

}  // namespace

XlsReader::XlsReader(const QString& path) : m_path(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw UnreadableWorkbookError(QString("Cannot read %1: the file cannot be opened (%2)")
                                          .arg(path, file.errorString()));
    }
    Open(file.readAll());
}

XlsReader::XlsReader(const QByteArray& bytes, const QString& path) : m_path(path) {
    Open(bytes);
}

XlsReader::~XlsReader() = default;

void XlsReader::Open(const QByteArray& bytes) {
    try {
        m_stream = ReadWorkbookStream(bytes);
        ReadGlobals();
    } catch (const UnreadableWorkbookError& e) {
        throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(m_path, e.Message()));
    }
}

void XlsReader::ReadGlobals() {
    RecordCursor records(m_stream, 0);
    biff::Record r;
    if (!records.Next(r) || r.type != kBof) {
        Unreadable("it is damaged (the workbook does not begin with its first record)");
    }
    if (U16(r.data, 0) != kBiff8 || U16(r.data, 2) != kBofGlobals) {
        Unreadable("only Excel 97-2003 workbooks can be read");
    }
    QHash<unsigned, QString> formats;
    std::vector<unsigned> xfFormats;
    while (true) {
        if (!records.Next(r)) {
            Unreadable("it is damaged or truncated (the workbook ends before its last record)");
        }
        const QByteArrayView d = r.data;
        if (r.type == kEof) {
            break;
        }
        switch (r.type) {
            case kFilePass:
                Unreadable("the workbook is password-protected");
            case kDateMode:
                m_b1904 = U16(d, 0) == 1;
                break;
            case kFormat:
                formats.insert(U16(d, 0), RecordText(d, 2));
                break;
            case kXf:
                xfFormats.push_back(U16(d, 2));
                break;
            case kBoundSheet: {
                const unsigned length = U8(d, 6);
                const bool wide = (U8(d, 7) & 0x01) != 0;
                const QString name = ContinuedReader({d.sliced(8)}).Chars(length, wide);
                if (U8(d, 5) == 0) {  // a worksheet, not a chart or macro sheet
                    m_sheets.push_back({name, U32(d, 0)});
                }
                break;
            }
            case kSst:
                m_strings = ReadSharedStrings(records.WithContinues(r));
                break;
            default:
                break;
        }
    }
    for (unsigned format : xfFormats) {
        const auto code = formats.constFind(format);
        m_xfDates.push_back(code != formats.cend() ? DateKindOf(*code) : BuiltinDateKind(format));
    }
}

QStringList XlsReader::SheetNames() const {
    QStringList names;
    for (const Sheet& s : m_sheets) {
        names << s.name;
    }
    return names;
}

void XlsReader::SelectSheet(const QString& name) {
    const qsizetype index = IndexOfName(SheetNames(), name);
    if (index < 0) {
        throw ExcelError(QString("The workbook %1 has no sheet '%2'").arg(m_path, name));
    }
    try {
        ReadSheet(m_sheets[static_cast<size_t>(index)]);
    } catch (const UnreadableWorkbookError& e) {
        m_cells.clear();
        m_rows = m_columns = 0;
        throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(m_path, e.Message()));
    }
}

void XlsReader::Put(unsigned row, unsigned column, Cell cell) {
    if (column >= kMaxColumns) {
        Unreadable("it is damaged (a cell lies outside the sheet)");
    }
    if (row >= m_cells.size()) {
        m_cells.resize(row + 1);
    }
    std::vector<Cell>& cells = m_cells[row];
    if (column >= cells.size()) {
        cells.resize(column + 1);
    }
    if (!cell.text.isEmpty()) {
        m_rows = std::max(m_rows, row + 1);
        m_columns = std::max(m_columns, column + 1);
    }
    cells[column] = std::move(cell);
}

XlsReader::Cell XlsReader::NumberCell(double value, unsigned xf) const {
    const DateKind kind = xf < m_xfDates.size() ? m_xfDates[xf] : DateKind::None;
    if (kind != DateKind::None) {
        QString date = DateText(value, kind, m_b1904);
        if (!date.isEmpty()) {
            return {date, false};
        }
    }
    return {NumberText(value), true};
}

void XlsReader::ReadSheet(const Sheet& sheet) {
    m_cells.clear();
    m_rows = m_columns = 0;
    m_withoutValue.reset();
    m_formulasComputed = false;
    RecordCursor records(m_stream, sheet.offset);
    biff::Record r;
    if (!records.Next(r) || r.type != kBof || U16(r.data, 2) != kBofSheet) {
        Unreadable(QString("it is damaged (the sheet '%1' is not where the workbook says)")
                       .arg(sheet.name));
    }
    int depth = 1;               // charts inside the sheet have BOF and EOF records of their own
    bool stringPending = false;  // a formula's text result comes in the next STRING record
    unsigned pendingRow = 0;
    unsigned pendingColumn = 0;
    while (depth > 0) {
        if (!records.Next(r)) {
            Unreadable(QString("it is damaged or truncated (the sheet '%1' ends too soon)")
                           .arg(sheet.name));
        }
        const QByteArrayView d = r.data;
        if (r.type == kBof || r.type == kEof) {
            depth += r.type == kBof ? 1 : -1;
            continue;
        }
        if (depth > 1) {
            continue;
        }
        if (r.type == kString) {
            if (stringPending) {
                Put(pendingRow, pendingColumn,
                    {ContinuedReader(records.WithContinues(r)).UnicodeString(false), false});
            }
            stringPending = false;
            continue;
        }
        switch (r.type) {
            case kLabelSst: {
                const quint32 index = U32(d, 6);
                if (index >= static_cast<quint32>(m_strings.size())) {
                    Unreadable(QString("it is damaged (a cell refers to shared text %1 of %2)")
                                   .arg(index + 1)
                                   .arg(m_strings.size()));
                }
                Put(U16(d, 0), U16(d, 2), {m_strings[index], false});
                break;
            }
            case kLabel:
            case kRString:
                Put(U16(d, 0), U16(d, 2), {RecordText(d, 6), false});
                break;
            case kNumber:
                Put(U16(d, 0), U16(d, 2), NumberCell(F64(d, 6), U16(d, 4)));
                break;
            case kRk:
                Put(U16(d, 0), U16(d, 2), NumberCell(RkValue(U32(d, 6)), U16(d, 4)));
                break;
            case kMulRk: {
                // row, first column, (format, RK) per cell, last column
                if (d.size() < 12 || (d.size() - 6) % 6 != 0) {
                    Unreadable("it is damaged (a MULRK record has a wrong size)");
                }
                const unsigned first = U16(d, 2);
                for (qsizetype i = 0; 6 + 6 * i < d.size() - 2; ++i) {
                    Put(U16(d, 0), first + static_cast<unsigned>(i),
                        NumberCell(RkValue(U32(d, 6 + 6 * i)), U16(d, 4 + 6 * i)));
                }
                break;
            }
            case kBoolErr: {
                const unsigned value = U8(d, 6);
                Put(U16(d, 0), U16(d, 2),
                    U8(d, 7) ? Cell{ErrorText(value), false}
                             : Cell{value ? QString("1") : QString("0"), true});
                break;
            }
            case kFormula: {
                const unsigned row = U16(d, 0);
                const unsigned column = U16(d, 2);
                m_formulasComputed = m_formulasComputed || U16(d, 12) != 0xFFFF || U8(d, 6) < 3;
                if (U16(d, 12) != 0xFFFF) {
                    Put(row, column, NumberCell(F64(d, 6), U16(d, 4)));
                } else if (U8(d, 6) == 0) {  // text: the STRING record follows
                    Put(row, column, {});
                    stringPending = true;
                    pendingRow = row;
                    pendingColumn = column;
                    continue;
                } else if (U8(d, 6) == 1) {
                    Put(row, column, {U8(d, 8) ? QString("1") : QString("0"), true});
                } else if (U8(d, 6) == 2) {
                    Put(row, column, {ErrorText(U8(d, 8)), false});
                } else {
                    Put(row, column, {});  // an empty text, or no result stored
                    const CellRef cell{row, column};
                    if (!m_withoutValue || cell < *m_withoutValue) {
                        m_withoutValue = cell;
                    }
                }
                break;
            }
            default:
                continue;  // not a cell: a pending formula text may still come
        }
        stringPending = false;
    }
}

QString XlsReader::CellText(unsigned row, unsigned column, bool* isNumber) const {
    const Cell* cell =
        row < m_cells.size() && column < m_cells[row].size() ? &m_cells[row][column] : nullptr;
    if (isNumber) {
        *isNumber = cell && cell->number;
    }
    return cell ? cell->text : QString();
}
