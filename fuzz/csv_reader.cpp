// Any file handed to Load File as a .csv, and the console's own CSV files.
// An odd first byte makes the rest the file: the reader must give a sheet
// within its limits or refuse it with a message naming it. An even one makes
// the rest records (a count, then any Unicode texts): the CSV that Save
// writes for them must read back as its name row and every text exactly.

#include <memory>
#include <vector>

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LoadFileRead.h"
#include "data/SpreadsheetFiles.h"
#include "data/excel/CsvReader.h"

namespace {

constexpr unsigned kMaxCells = 4096;

void ReadAnyFile(const QByteArray& bytes) {
    const QString file = FuzzFolder() + "/list.csv";
    try {
        const SheetGrid grid = ReadCsvSheet(bytes, file);
        FUZZ_CHECK(grid.Rows() <= kMaxGridRows && grid.Columns() <= kMaxGridColumns,
                   "a sheet stays within the limits");
        unsigned cells = 0;
        for (unsigned r = 0; r < grid.Rows() && cells < kMaxCells; ++r) {
            for (unsigned c = 0; c < grid.Columns() && cells < kMaxCells; ++c, ++cells) {
                const SheetCell* cell = grid.Cell(r, c);
                FUZZ_CHECK(!cell || !cell->text.isEmpty(), "a cell that is there holds a text");
            }
        }
    } catch (const UnreadableWorkbookError& e) {
        FUZZ_CHECK(e.Message().contains(file), "a refusal names the file");
    }
    ReadAsLoadFileDoes(WriteFuzzFile("list.csv", bytes));
}

void RoundTrip(FuzzInput& in) {
    const int count = in.Byte() % 16;
    std::vector<std::array<QString, 8>> texts;
    std::vector<std::unique_ptr<cParam>> records;
    for (int r = 0; r < count; ++r) {
        std::array<QString, 8> fields;
        for (QString& f : fields) {
            // A record's texts come from the keyboard, frames and 8-bit
            // files: none holds a NUL.
            f = in.Text().replace(QChar(0), QChar(' '));
        }
        auto rec = std::make_unique<cParam>(fields[0]);
        rec->SetFromRecordOrder(fields);
        records.push_back(std::move(rec));
        texts.push_back(fields);
    }
    const QString file = FuzzFolder() + "/saved.csv";
    SheetGrid grid;
    try {
        grid = ReadCsvSheet(FormatCsv(records), file);
    } catch (const UnreadableWorkbookError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        FUZZ_CHECK(false, "a saved CSV file reads back");
    }
    FUZZ_CHECK(grid.Columns() == 8 && grid.Rows() <= static_cast<unsigned>(count) + 1,
               "the sheet is as wide as the records and no longer");
    for (unsigned c = 0; c < 8; ++c) {
        const SheetCell* name = grid.Cell(0, c);
        FUZZ_CHECK(name && name->text == ExportColumnNames()[c], "the name row comes back");
    }
    for (int r = 0; r < count; ++r) {
        for (unsigned c = 0; c < 8; ++c) {
            const SheetCell* cell = grid.Cell(static_cast<unsigned>(r) + 1, c);
            FUZZ_CHECK((cell ? cell->text : QString()) == texts[size_t(r)][c],
                       "every text of every record comes back exactly");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    if (in.Byte() & 1) {
        ReadAnyFile(in.Rest());
    } else {
        RoundTrip(in);
    }
    return 0;
}
