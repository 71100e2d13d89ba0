// Records exported to a new workbook and read back as Load File reads it. The
// first byte gives the number of records, the rest their fields (any Unicode
// text). An export that succeeds must give back every record exactly; one
// that fails must tell the operator and leave no file.

#include <QFileInfo>
#include <algorithm>

#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "FuzzPrompter.h"
#include "RecordsBack.h"
#include "data/Cvyn8_rk47Doc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzPrompter prompter;
    Cvyn8_rk47Doc doc;
    const int count = in.Byte() % 8;
    for (int r = 0; r < count; ++r) {
        cParam* rec = doc.AddRecord(in.Text());
        std::array<QString, 8> fields;
        for (size_t i = 1; i < fields.size(); ++i) {
            fields[i] = in.Text();
        }
        rec->SetFromRecordOrder(fields);
    }

    ClearFuzzFolder();
    const QString path = FuzzFolder() + "/export.xls";
    if (!doc.ExportToExcel(path, doc.m_strExcelDriver).Saved()) {
        FUZZ_CHECK(prompter.shown == 1, "a failed export tells the operator");
        FUZZ_CHECK(!QFileInfo::exists(path), "a failed export leaves no file");
        return 0;
    }
    FUZZ_CHECK(prompter.shown == 0, "a good export shows nothing");
    QStringList names;
    std::vector<std::array<QString, 8>> rows;
    ReadRecordsBack(path, &names, &rows);
    FUZZ_CHECK(names == QStringList({"Id_barcode", "Seed", "BatchNo", "Packet", "Inventory",
                                     "Total_Quantity", "Location", "Comment"}),
               "the sheet's field names are the export's columns");
    // A record with every field empty is a blank row, which a reader of the
    // sheet (Load File's, as any other) passes over; the console never makes
    // one, since every record has an ID.
    std::vector<std::array<QString, 8>> expected;
    for (const auto& rec : doc.m_records) {
        const std::array<QString, 8> fields = rec->RecordOrder();
        if (std::any_of(fields.begin(), fields.end(),
                        [](const QString& f) { return !f.isEmpty(); })) {
            expected.push_back(fields);
        }
    }
    FUZZ_CHECK(rows.size() == expected.size(), "every record comes back");
    FUZZ_CHECK(rows == expected, "every field of every record comes back exactly");
    return 0;
}
