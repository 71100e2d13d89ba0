// Any file handed to Load File: the workbook reader must read it or refuse it
// with an ExcelError, never crash, hang or leak. The bytes are the file; it is
// read as Load File reads it (ReadSampleSheet), and every sheet of it is
// read cell by cell.

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LoadFileRead.h"
#include "data/excel/ExcelError.h"
#include "data/excel/XlsReader.h"

namespace {

// Cells read per sheet, so that a sheet claiming millions of cells does not
// make one input take minutes.
constexpr unsigned kMaxCells = 4096;

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
