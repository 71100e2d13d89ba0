#include "data/SampleSheet.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"
#include "data/excel/SheetReader.h"
#include "platform/StoredText.h"

namespace {

bool StartsWithDigit(const QString& v) {
    return !v.isEmpty() && v[0] >= '0' && v[0] <= '9';
}

// Whether a number's text as a reader gives it is plain digits, with a sign
// and a decimal part maybe, and no exponent.
bool IsPlainDecimal(QStringView v) {
    qsizetype i = v.startsWith('-') || v.startsWith('+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < v.size(); ++i) {
        if (v[i] >= '0' && v[i] <= '9') {
            digits = true;
        } else if (v[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

// Whether a text is a whole number written with a decimal part of zeros
// ("12.0", "-3.00").
bool IsWholeWithZeros(QStringView v) {
    const qsizetype point = v.indexOf('.');
    if (point < 0 || !IsPlainDecimal(v)) {
        return false;
    }
    for (qsizetype i = point + 1; i < v.size(); ++i) {
        if (v[i] != '0') {
            return false;
        }
    }
    return point > (v.startsWith('-') || v.startsWith('+') ? 1 : 0);
}

// How a number read from the sheet is cut at its period: a workbook's
// number keeps its whole part (a pack number 3.5 reads 3); in a CSV file,
// where every cell is text, only a whole number written with zeros after its
// period is cut (12.0 reads 12, 1.10 stays 1.10).
QString Cut(const QString& v, bool number, bool textCells) {
    if (!number || !v.contains('.')) {
        return v;
    }
    if (textCells && !IsWholeWithZeros(v)) {
        return v;
    }
    return v.left(v.indexOf('.'));
}

// A loaded row's cells from the fields of one record. The ID goes to column
// 1; a second field starting with a digit has no seed name, so "None" stands
// in and the fields after it move one column right. Cutting (see Cut) is for
// rows under a header; a text such as the ID "A.B.C" stays whole.
SampleCells CellsFromFields(const QStringList& fields, const QList<bool>& numbers, bool cutting,
                            bool textCells) {
    SampleCells cells;
    const auto cut = [&](qsizetype k) {
        return cutting ? Cut(fields[k], numbers[k], textCells) : fields[k];
    };
    const auto put = [&cells](qsizetype column, const QString& v) {
        if (column < kSampleListColumns) {
            cells[static_cast<size_t>(column)] = v;
        }
    };
    int shift = 0;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        const QString& v = fields[k];
        if (k == 0) {
            put(1, cut(k));
        } else if (k == 1 && StartsWithDigit(v)) {
            put(2, "None");
            put(3, cut(k));
            shift = 1;
        } else if (k == 1) {
            put(2, v);
        } else if (k == 2) {
            put(3 + shift, cut(k));
        } else if (k == 3) {
            put(4 + shift, StartsWithDigit(v) ? cut(k) : v);
        } else {
            put(k + 1 + shift, v);
        }
    }
    return cells;
}

// Text from another program must fit the 8-bit files and the frames: a TAB
// or line break in a cell becomes a space (the number of such cells is
// returned); a row with a letter outside Latin-1 cannot be loaded, and the
// message naming those rows (sheet rows from 1) is put in `refusal`.
int MakeStorable(std::vector<SampleCells>& rows, const std::vector<unsigned>& sheetRows,
                 QString* refusal) {
    int replaced = 0;
    QStringList refused;
    for (size_t i = 0; i < rows.size(); ++i) {
        bool rowRefused = false;
        for (QString& cell : rows[i]) {
            const TextFault fault = FindTextFault(cell);
            if (fault == TextFault::LineBreak) {
                cell = WithoutLineBreaks(cell);
                ++replaced;
            } else if (fault == TextFault::NotLatin1) {
                rowRefused = true;
            }
        }
        if (rowRefused) {
            refused << QString::number(sheetRows[i]);
        }
    }
    if (!refused.isEmpty()) {
        constexpr qsizetype kNamed = 10;
        const qsizetype more = refused.size() - kNamed;
        QString named = refused.mid(0, kNamed).join(", ");
        if (more > 0) {
            named += QStringLiteral(" and %1 more").arg(more);
        }
        *refusal = QStringLiteral(
                       "Row%1 %2 of the sheet cannot be stored: use letters of Western European "
                       "languages only. Nothing was loaded.")
                       .arg(refused.size() > 1 ? "s" : "", named);
    }
    return replaced;
}

// Why the file at `path` cannot be opened for reading, or an empty text.
QString CannotOpen(const QString& path) {
    const QFileInfo info(path);
    QString why;
    if (info.isDir()) {
        why = "it is a folder";
    } else if (!info.exists()) {
        why = "there is no such file";
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            why = file.error() == QFileDevice::PermissionsError ? QString("permission denied")
                                                                : file.errorString();
        } else if (file.size() == 0) {
            why = "the file is empty";
        }
    }
    return why.isEmpty() ? why : QString("Cannot read %1: %2").arg(path, why);
}

SampleSheet Failed(SampleSheet::Fault fault, const QString& message) {
    SampleSheet sheet;
    sheet.fault = fault;
    sheet.message = message;
    return sheet;
}

}  // namespace

QString CellName(unsigned row, unsigned column) {
    QString letters;
    for (unsigned c = column + 1; c > 0; c = (c - 1) / 26) {
        letters.prepend(QChar('A' + static_cast<char>((c - 1) % 26)));
    }
    return letters + QString::number(row + 1);
}

SampleSheet ReadSampleSheet(const QString& path, qsizetype rowsInList) {
    const QString cannot = CannotOpen(path);
    if (!cannot.isEmpty()) {
        return Failed(SampleSheet::Fault::Unreadable, cannot);
    }
    const bool textCells = SheetFormatOfName(path) == "csv";
    SampleSheet sheet;
    std::vector<unsigned> sheetRows;  // where each row came from, from 1
    try {
        ExcelDatabase db;
        if (!db.Open(ImportConnectText(kBuiltinExcelDriverName, path))) {
            return Failed(SampleSheet::Fault::Unreadable,
                          QString("Cannot read %1: it cannot be opened").arg(path));
        }
        ExcelRecordset rs(&db);
        rs.Open("SELECT *  FROM [vyn8$]");
        if (const std::optional<CellRef> unknown = db.Reader()->CellWithoutValue()) {
            return Failed(SampleSheet::Fault::Refused,
                          QString("Cannot load %1: cell %2 is a formula with no stored value: "
                                  "open and save the workbook in a spreadsheet program first. "
                                  "Nothing was loaded.")
                              .arg(path, CellName(unknown->row, unknown->column)));
        }
        bool empty = rs.IsEOF();
        for (int i = 0; i < rs.GetFieldCount() && empty; ++i) {
            empty = rs.GetNameCellText(i).isEmpty();
        }
        if (empty) {
            return Failed(SampleSheet::Fault::Unreadable,
                          QString("Cannot read %1: it holds no samples").arg(path));
        }
        const int n = rs.GetFieldCount();
        const QString firstName = rs.GetFieldName(0);
        bool cutting = true;
        if (firstName == "F1") {
            sheet.firstColumnUnnamed = true;
        } else if (firstName != "ID") {
            // No header row: the names are the sheet's first row, loaded
            // as the cells' own values (a number, not the F<n> it is named).
            SampleCells names;
            for (int i = 0; i < n && i + 1 < kSampleListColumns; ++i) {
                names[static_cast<size_t>(i + 1)] = rs.GetNameCellText(i);
            }
            sheet.rows.push_back(names);
            sheetRows.push_back(1);
            cutting = false;
        }
        QStringList fields;
        QList<bool> numbers;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            fields.clear();
            numbers.clear();
            for (int i = 0; i < n; ++i) {
                fields << rs.GetFieldValue(i);
                numbers << rs.IsFieldNumber(i);
                if (numbers.back() && !textCells && !IsPlainDecimal(fields.back())) {
                    return Failed(SampleSheet::Fault::Refused,
                                  QString("Cannot load %1: cell %2 holds the number %3, which "
                                          "cannot be written exactly as digits. Nothing was "
                                          "loaded.")
                                      .arg(path, CellName(rs.GetSheetRow(), i), fields.back()));
                }
            }
            sheet.rows.push_back(CellsFromFields(fields, numbers, cutting, textCells));
            sheetRows.push_back(rs.GetSheetRow() + 1);
        }
    } catch (const UnreadableWorkbookError& e) {
        return Failed(SampleSheet::Fault::Unreadable, e.Message());
    } catch (const ExcelError& e) {
        return Failed(SampleSheet::Fault::NoSheet, e.Message());
    }
    QString refusal;
    sheet.replacedCells = MakeStorable(sheet.rows, sheetRows, &refusal);
    const qsizetype rows = static_cast<qsizetype>(sheet.rows.size());
    if (refusal.isEmpty() && rowsInList + rows > kMaxSampleListRows) {
        refusal = QString(
                      "Cannot load %1: it has %2 rows, and the sample list holds at most %3 "
                      "rows%4. Nothing was loaded.")
                      .arg(path)
                      .arg(rows)
                      .arg(kMaxSampleListRows)
                      .arg(rowsInList > 0 ? QString(" (%1 are in it already)").arg(rowsInList)
                                          : QString());
    }
    if (!refusal.isEmpty()) {
        const bool ask = sheet.firstColumnUnnamed;
        sheet = Failed(SampleSheet::Fault::Refused, refusal);
        sheet.firstColumnUnnamed = ask;
    }
    return sheet;
}
