// Export of the records to a new workbook through the built-in driver.

#include <stdexcept>

#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"
#include "platform/Prompter.h"

namespace {

const char* const kInsert =
    "INSERT INTO %1 "
    "(Id_barcode,Seed,BatchNo,Packet,Inventory,Total_Quantity,Location,Comment) VALUES (%2)";
const char* const kCreate =
    "CREATE TABLE %1(Id_barcode TEXT,Seed TEXT,BatchNo TEXT,Packet TEXT,Inventory TEXT,"
    "Total_Quantity TEXT,Location TEXT,Comment TEXT)";
const char* const kConnect =
    "DRIVER={%1};DSN=''FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"%2\";DBQ=%3";

// A value between single quotes, a quote inside doubled.
QString SqlQuoted(QString value) {
    return '\'' + value.replace('\'', "''") + '\'';
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

int Cvyn8_rk47Doc::ExportToExcel(const QString& path, const QString& driver) {
    const QString table = "Vyn8";
    const QString connect = QString(kConnect).arg(driver, path, path);
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
            return 1;
        }
    } catch (const ExcelError&) {
    }
    Prompt("Please use other file name !");
    return 0;
}
