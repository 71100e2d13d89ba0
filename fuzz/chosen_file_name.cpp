// A workbook name the operator may choose in the file dialog: exporting to it
// must write exactly that file (or write nothing and say so), and Load File's
// connection must open exactly that file again. The bytes are the name (any
// Unicode text but '/' and NUL).

#include <QDir>
#include <QFileInfo>

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "FuzzPrompter.h"
#include "RecordsBack.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/SheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    QString name = in.Text();
    name.replace('/', '_').replace(QChar(0), '_');
    if (name.isEmpty() || name == "." || name == "..") {
        return 0;
    }
    FuzzPrompter prompter;
    Cvyn8_rk47Doc doc;
    doc.AddRecord("ID-1")->SetFromRecordOrder({"", "Wheat", "1", "20", "", "", "", name});

    ClearFuzzFolder();
    const QString path = FuzzFolder() + '/' + name;
    const bool written = doc.ExportToExcel(path, doc.m_strExcelDriver).Saved();
    const QStringList files = QDir(FuzzFolder()).entryList(QDir::Files | QDir::Hidden);
    if (!written) {
        FUZZ_CHECK(prompter.shown == 1, "a failed export tells the operator");
        FUZZ_CHECK(files.isEmpty(), "a failed export writes no file");
        return 0;
    }
    FUZZ_CHECK(files == QStringList{name}, "the export writes exactly the chosen file");
    // Load File reads a name ending in .xlsx or .csv as that format (Save
    // writes those formats for those names), so an Excel 97-2003 workbook
    // under such a name is refused with a message, not read.
    if (SheetFormatOfName(name) != "xls") {
        QStringList ignored;
        std::vector<std::array<QString, 8>> none;
        bool refused = false;
        try {
            TryReadRecordsBack(path, &ignored, &none);
        } catch (const ExcelError& e) {
            refused = e.Message().contains(path);
        }
        FUZZ_CHECK(refused, "a workbook under another format's name is refused, naming the file");
        return 0;
    }
    QStringList names;
    std::vector<std::array<QString, 8>> rows;
    ReadRecordsBack(path, &names, &rows);
    FUZZ_CHECK(rows.size() == 1 && rows[0] == doc.m_records[0]->RecordOrder(),
               "the chosen file holds the exported record");
    return 0;
}
