// The workbook driver's statement and connection texts. The first byte picks:
//  0: the rest as an SQL statement: parsed or refused with an ExcelError;
//  1: the rest as the eight fields of a record: the document's INSERT for it
//     must parse back to exactly those values;
//  2: the rest as a connection text: parsed into KEY=value pairs;
//  3: the rest as a driver name and a value: braces and double quotes keep
//     what they enclose.

#include "FuzzInput.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/ConnectText.h"
#include "data/excel/ExcelError.h"
#include "data/excel/SqlText.h"

namespace {

void AnyStatement(FuzzInput& in) {
    try {
        const SqlStatement st = ParseSql(in.Text());
        if (const auto* insert = std::get_if<SqlInsert>(&st)) {
            FUZZ_CHECK(insert->values.size() == insert->columns.size(),
                       "an INSERT has a value per column");
        } else if (const auto* create = std::get_if<SqlCreateTable>(&st)) {
            FUZZ_CHECK(!create->columns.isEmpty(), "a table has a column");
        }
    } catch (const ExcelError& e) {
        FUZZ_CHECK(!e.Message().isEmpty(), "a refusal says why");
    }
}

void InsertOfRecord(FuzzInput& in) {
    Cvyn8_rk47Doc doc;
    cParam* rec = doc.AddRecord(in.Text());
    std::array<QString, 8> fields;
    for (size_t i = 1; i < fields.size(); ++i) {
        fields[i] = in.Text();
    }
    rec->SetFromRecordOrder(fields);
    QString sql;
    doc.FormatInsert(0, "Vyn8", sql);
    SqlStatement st;
    try {
        st = ParseSql(sql);
    } catch (const ExcelError& e) {
        FUZZ_CHECK(false, "the INSERT of a record parses");
    }
    const auto* insert = std::get_if<SqlInsert>(&st);
    FUZZ_CHECK(insert && insert->table == "Vyn8" && insert->columns.size() == 8,
               "the INSERT names the table and eight columns");
    const auto expected = rec->RecordOrder();
    for (int i = 0; i < 8; ++i) {
        FUZZ_CHECK(insert->values[i] == expected[static_cast<size_t>(i)],
                   "every value comes back exactly");
    }
}

void AnyConnection(FuzzInput& in) {
    const auto attrs = ParseConnectText(in.Text());
    for (auto it = attrs.begin(); it != attrs.end(); ++it) {
        FUZZ_CHECK(it.key() == it.key().toUpper(), "keys come back upper-cased");
        FUZZ_CHECK(!it.key().contains(';') && !it.key().contains('='), "a key holds no separator");
    }
}

void DelimitedValues(FuzzInput& in) {
    QString driver = in.Text();
    driver.remove('}');
    QString quoted = in.Text();
    quoted.remove('"');
    const auto attrs =
        ParseConnectText(QString("ODBC;DRIVER={%1};DSN='';NAME=\"%2\";DBQ=x").arg(driver, quoted));
    FUZZ_CHECK(attrs.value("DRIVER") == driver, "a value in braces is kept whole");
    FUZZ_CHECK(attrs.value("NAME") == quoted, "a value in double quotes is kept whole");
    FUZZ_CHECK(attrs.value("DBQ") == "x", "the pair after them is found");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    switch (in.Byte() % 4) {
        case 0:
            AnyStatement(in);
            break;
        case 1:
            InsertOfRecord(in);
            break;
        case 2:
            AnyConnection(in);
            break;
        default:
            DelimitedValues(in);
            break;
    }
    return 0;
}
