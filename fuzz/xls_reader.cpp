// Any file handed to Load File: the workbook reader must read it or refuse it
// with an ExcelError, never crash, hang or leak. The bytes are the file; it is
// opened as Load File opens it and its "vyn8" sheet read record by record,
// and every sheet of it is read cell by cell.

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "RecordsBack.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"
#include "data/excel/XlsReader.h"

namespace {

// Cells read per sheet, so that a sheet claiming millions of cells does not
// make one input take minutes.
constexpr unsigned kMaxCells = 4096;

void ReadAsLoadFileDoes(const QString& path) {
    ExcelDatabase db;
    try {
        if (!db.Open(LoadFileConnection(path))) {
            return;
        }
        ExcelRecordset rs(&db);
        rs.Open("SELECT *  FROM [vyn8$]");
        const int n = rs.GetFieldCount();
        FUZZ_CHECK(n > 0, "a record set has at least one field");
        for (int i = 0; i < n; ++i) {
            FUZZ_CHECK(!rs.GetFieldName(i).isEmpty(), "every field has a name");
        }
        for (unsigned cells = 0; !rs.IsEOF() && cells < kMaxCells; rs.MoveNext()) {
            for (int i = 0; i < n; ++i, ++cells) {
                rs.GetFieldValue(i);
            }
        }
    } catch (const ExcelError& e) {
        FUZZ_CHECK(!e.Message().isEmpty(), "a refusal says why");
    }
}

void ReadEverySheet(const QString& path) {
    try {
        XlsReader book(path);
        for (const QString& sheet : book.SheetNames()) {
            try {
                book.SelectSheet(sheet);
            } catch (const ExcelError&) {
                continue;
            }
            unsigned cells = 0;
            for (unsigned r = 0; r < book.Rows() && cells < kMaxCells; ++r) {
                for (unsigned c = 0; c < book.Columns() && cells < kMaxCells; ++c, ++cells) {
                    bool number = false;
                    const QString text = book.CellText(r, c, &number);
                    FUZZ_CHECK(!number || !text.isEmpty(), "a number reads as digits");
                }
            }
        }
    } catch (const ExcelError& e) {
        FUZZ_CHECK(!e.Message().isEmpty(), "a refusal says why");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzFile(
        "book.xls", QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    ReadAsLoadFileDoes(path);
    ReadEverySheet(path);
    return 0;
}
