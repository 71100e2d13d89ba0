// Export of the records to a new workbook through the built-in driver.

#include <QLocale>
#include <stdexcept>

#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/BiffWriter.h"
#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"

namespace {

const char* const kInsert =
    "INSERT INTO %1 "
    "(Id_barcode,Seed,BatchNo,Packet,Inventory,Total_Quantity,Location,Comment) VALUES (%2)";
const char* const kCreate =
    "CREATE TABLE %1(Id_barcode TEXT,Seed TEXT,BatchNo TEXT,Packet TEXT,Inventory TEXT,"
    "Total_Quantity TEXT,Location TEXT,Comment TEXT)";

// A value between single quotes, a quote inside doubled.
QString SqlQuoted(QString value) {
    return '\'' + value.replace('\'', "''") + '\'';
}

// Why the records cannot go into one Excel 97-2003 sheet, or empty when they
// fit: a sheet holds 65,536 rows (the column names take the first), a cell
// 32,767 characters. A text file has neither limit.
QString SheetLimitProblem(const std::vector<std::unique_ptr<cParam>>& records) {
    const QLocale english(QLocale::English);
    const auto n = [&english](qsizetype v) { return english.toString(v); };
    const qsizetype maxRecords = kMaxSheetRows - 1;
    if (static_cast<qsizetype>(records.size()) > maxRecords) {
        return QString(
                   "An Excel 97-2003 sheet holds at most %1 records, and there are %2. A text "
                   "file (.txt) holds any number of records: please save them as text. The "
                   "records were not saved.")
            .arg(n(maxRecords), n(static_cast<qsizetype>(records.size())));
    }
    for (size_t i = 0; i < records.size(); ++i) {
        for (const QString& v : records[i]->RecordOrder()) {
            if (v.size() > kMaxCellChars) {
                return QString(
                           "A cell of an Excel 97-2003 sheet holds at most %1 characters, and "
                           "record %2 has a value of %3. A text file (.txt) holds texts of "
                           "any length: please save the records as text. The records were not "
                           "saved.")
                    .arg(n(kMaxCellChars), n(static_cast<qsizetype>(i + 1)), n(v.size()));
            }
        }
    }
    return QString();
}

}  // namespace

void Cvyn8_rk47Doc::FormatInsert(int index, const QString& table, QString& out) const {
    if (index < 0 || index >= RecordCount()) {
        throw std::invalid_argument("FormatInsert: no record at this index");
    }
    QStringList values;
    for (const QString& v : m_records[static_cast<size_t>(index)]->RecordOrder()) {
        values << SqlQuoted(v);
    }
    out = QString(kInsert).arg(table, values.join(','));
}

RecordSaveResult Cvyn8_rk47Doc::ExportToExcel(const QString& path, const QString& driver) {
    const QString table = "Vyn8";
    const QString tooMuch = SheetLimitProblem(m_records);
    if (!tooMuch.isEmpty()) {
        return {RecordSaveResult::Problem::SheetLimit, tooMuch};
    }
    const QString connect = ExportConnectText(driver, path);
    // The workbook is written whole when the connection closes, or not at all.
    ExcelDatabase db;
    try {
        if (db.OpenEx(connect)) {
            db.ExecuteSQL(QString(kCreate).arg(table));
            QString sql;
            for (int i = 0; i < RecordCount(); ++i) {
                FormatInsert(i, table, sql);
                db.ExecuteSQL(sql);
            }
            db.Close();
            return {};
        }
    } catch (const WorkbookWriteError& e) {
        // The name was good; the folder took no file.
        return {RecordSaveResult::Problem::NotWritten, e.Message()};
    } catch (const ExcelError&) {
    }
    return {RecordSaveResult::Problem::WorkbookRefused, {}};
}
