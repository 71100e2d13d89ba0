// Any file handed to Load File as an .xlsx. The first byte chooses what the
// rest is: the file itself, or the XML of the sheet (whole, or only what goes
// inside <sheetData>), the shared strings and the styles, put into a sound
// zip beside a fixed workbook, so that the reader gets past the container.
// The reader must give a sheet within its limits, or refuse the file with a
// message naming it; a part that is well-formed XML is never called damaged.
// The sheet read through Load File's driver gives records of one width.

#include <zip.h>

#include <QFile>
#include <QXmlStreamReader>

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "LoadFileRead.h"
#include "data/excel/XlsxReader.h"

namespace {

constexpr unsigned kMaxCells = 4096;

const char* const kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
const char* const kBookRels =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)";
const char* const kStrings =
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>ID</t></si><si><r><t>Wh</t></r><r><t>eat</t></r></si></sst>)";
const char* const kStyles =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/></numFmts><cellXfs count="3"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/></cellXfs></styleSheet>)";

QByteArray Workbook(bool date1904) {
    return QByteArray(
               R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><workbookPr date1904=")") +
           (date1904 ? "1" : "0") +
           R"("/><sheets><sheet name="Vyn8" sheetId="1" r:id="rId1"/></sheets></workbook>)";
}

// A zip holding `parts` (name, bytes), made with minizip in the fuzz folder.
QByteArray Zip(const std::vector<std::pair<const char*, QByteArray>>& parts) {
    const QString path = FuzzFolder() + "/parts.zip";
    zipFile zf = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    FUZZ_CHECK(zf != nullptr, "a zip can be made");
    for (const auto& [name, bytes] : parts) {
        zip_fileinfo info{};
        FUZZ_CHECK(zipOpenNewFileInZip64(zf, name, &info, nullptr, 0, nullptr, 0, nullptr,
                                         Z_DEFLATED, 1, 0) == ZIP_OK &&
                       zipWriteInFileInZip(zf, bytes.constData(),
                                           static_cast<unsigned>(bytes.size())) == ZIP_OK &&
                       zipCloseFileInZip(zf) == ZIP_OK,
                   "a part goes into the zip");
    }
    FUZZ_CHECK(zipClose(zf, nullptr) == ZIP_OK, "the zip closes");
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly), "the zip reads back");
    return f.readAll();
}

bool WellFormed(const QByteArray& xml) {
    if (xml.contains("<!DOCTYPE")) {
        return false;  // a sheet with a document type is refused
    }
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
    }
    return !x.hasError();
}

void CheckSheet(const SheetGrid& grid) {
    FUZZ_CHECK(grid.Rows() <= kMaxGridRows && grid.Columns() <= kMaxGridColumns &&
                   qint64(grid.Rows()) * grid.Columns() <= kMaxGridCells,
               "a sheet stays within the limits");
    unsigned cells = 0;
    for (unsigned r = 0; r < grid.Rows() && cells < kMaxCells; ++r) {
        FUZZ_CHECK(grid.Cell(r, grid.Columns()) == nullptr, "no cell lies right of the sheet");
        for (unsigned c = 0; c < grid.Columns() && cells < kMaxCells; ++c, ++cells) {
            const SheetCell* cell = grid.Cell(r, c);
            if (cell) {
                bool ok = !cell->text.isEmpty();
                FUZZ_CHECK(ok, "a cell that is there holds a text");
                if (cell->number) {
                    cell->text.toDouble(&ok);
                    FUZZ_CHECK(ok, "a number reads back as a number");
                }
            }
        }
    }
    FUZZ_CHECK(grid.Cell(grid.Rows(), 0) == nullptr, "no cell lies below the sheet");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t mode = in.Byte();
    QByteArray bytes;
    bool xmlWellFormed = false;
    if (mode % 4 == 0) {
        bytes = in.Rest();
    } else {
        QByteArray sheet = in.BytesUntil('\xFF');
        if (mode % 4 == 3) {
            sheet =
                R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
                sheet + "</sheetData></worksheet>";
        }
        QByteArray strings = kStrings;
        QByteArray styles = kStyles;
        if (mode % 4 == 2) {
            strings = in.BytesUntil('\xFF');
            styles = in.Rest();
        }
        xmlWellFormed = WellFormed(sheet) && WellFormed(strings) && WellFormed(styles);
        bytes = Zip({{"_rels/.rels", kRootRels},
                     {"xl/workbook.xml", Workbook(mode & 4)},
                     {"xl/_rels/workbook.xml.rels", kBookRels},
                     {"xl/worksheets/sheet1.xml", sheet},
                     {"xl/sharedStrings.xml", strings},
                     {"xl/styles.xml", styles}});
    }
    const QString path = WriteFuzzFile("book.xlsx", bytes);
    try {
        CheckSheet(ReadXlsxSheet(bytes, "vyn8", path));
    } catch (const ExcelError& e) {
        FUZZ_CHECK(e.Message().contains(path), "a refusal names the file");
        FUZZ_CHECK(!xmlWellFormed || !e.Message().contains(" damaged ("),
                   "well-formed XML is not called damaged");
    }
    ReadAsLoadFileDoes(path);
    return 0;
}
