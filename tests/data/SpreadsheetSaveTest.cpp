// Save as .xlsx and CSV, read back by other programs: openpyxl, Python's csv
// module and LibreOffice.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>

#include "app/commands/RecordFileCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/SpreadsheetFiles.h"
#include "data/excel/CsvReader.h"
#include "data/excel/PythonSpreadsheets.h"
#include "support/CaseName.h"
#include "support/TestSupport.h"

namespace {

using Record = std::array<QString, 8>;

// Every awkward value a record can hold.
const std::vector<Record> kAwkward = {
    {"A'7", "Wheat, spring", "1", "50", "1200", "50", "Shelf \"2\"", "line one\nline two"},
    {"007", QString::fromUtf8("Épeautre"), "2", "50", "", "100",
     QString::fromUtf8("Salle réfrigérée"), "=1+1"},
    {"B-9", QString::fromUtf8("Blé d'été"), "3", "20", "7", "67", "", "it's; 100% \"ok\", 'fine'"},
};

std::vector<Record> ManyRecords(int n) {
    std::vector<Record> out;
    for (int i = 0; i < n; ++i) {
        const QString k = QString::number(i);
        out.push_back({"ID" + k, "Wheat", QString::number(i % 20 + 1), "50", k, "1000",
                       "Shelf " + QString::number(i % 9), "comment " + k});
    }
    return out;
}

class SpreadsheetSave : public ::testing::Test {
protected:
    void Add(const std::vector<Record>& records) {
        for (const Record& r : records) {
            doc.AddRecord(r[0])->SetFromRecordOrder(r);
        }
    }
    QString Save(const QString& name) {
        files.Answer(dir.Path(name));
        commands::OnSaveRecords(doc);
        return dir.Path(name);
    }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedFileChooser files;
    Cvyn8_rk47Doc doc;
};

// The rows of `rows` (JSON arrays of texts) as lists.
QList<QStringList> Texts(const QJsonArray& rows) {
    QList<QStringList> out;
    for (const QJsonValue& row : rows) {
        QStringList cells;
        for (const QJsonValue& v : row.toArray()) {
            cells << v.toString();
        }
        out << cells;
    }
    return out;
}

enum class Reader { Openpyxl, CsvModule, LibreOffice };

struct ReadBackCase {
    Reader reader;
    int records;  // 0: the awkward ones
};

class SpreadsheetReadBack : public SpreadsheetSave,
                            public ::testing::WithParamInterface<ReadBackCase> {};

std::string ReadBackName(const ::testing::TestParamInfo<ReadBackCase>& info) {
    const char* const readers[] = {"openpyxl", "csv", "LibreOffice"};
    return CaseName(info.index, std::string(readers[static_cast<int>(info.param.reader)]) + " " +
                                    (info.param.records ? "100000" : "awkward"));
}

}  // namespace

TEST_P(SpreadsheetReadBack, OtherProgramsReadWhatWasSaved) {
    const ReadBackCase c = GetParam();
    const std::vector<Record> records = c.records == 0 ? kAwkward : ManyRecords(c.records);
    Add(records);
    const QString python = FindPython(c.reader == Reader::Openpyxl ? "openpyxl" : "csv");
    if (python.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with openpyxl";
    }
    const QString path = Save(c.reader == Reader::CsvModule ? "day.csv" : "day.xlsx");
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    EXPECT_EQ(doc.m_nSaveState, RECORDS_SAVED);

    QList<QStringList> rows;
    if (c.reader == Reader::Openpyxl) {
        const QJsonArray sheets = ReadWithOpenpyxl(python, path);
        ASSERT_EQ(sheets.size(), 1);
        EXPECT_EQ(sheets[0].toObject()["name"].toString(), "Vyn8");
        rows = Texts(sheets[0].toObject()["rows"].toArray());
    } else if (c.reader == Reader::CsvModule) {
        rows = Texts(ReadWithCsvModule(python, path));
    } else {
        SKIP_WITHOUT_LIBREOFFICE(soffice);
        const QString csv = ConvertToCsvWithLibreOffice(soffice, path, dir.Path(""));
        ASSERT_FALSE(csv.isEmpty());
        rows = Texts(ReadWithCsvModule(python, csv));
    }
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(records.size()) + 1);
    EXPECT_EQ(rows[0], ExportColumnNames());
    for (size_t i = 0; i < records.size(); ++i) {
        QStringList expected;
        for (const QString& v : records[i]) {
            // A CSV file holds a formula-like value behind its guard.
            expected << (c.reader == Reader::CsvModule ? CsvGuarded(v) : v);
        }
        ASSERT_EQ(rows[static_cast<qsizetype>(i) + 1], expected) << "record " << i;
    }
}

TEST_F(SpreadsheetSave, CsvValuesThatLookLikeFormulasStayTextAndLoadBackExactly) {
    const std::vector<Record> records = {
        {"=1+1", "+41", "-2", "@SUM(A1)", "\tx", "'=x", "007", "=HYPERLINK(\"http://x\")"},
        {"A'7", "'plain", "1", "50", "", "50", "\rCR", "- dash"}};
    Add(records);
    const QString path = Save("day.csv");
    ASSERT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    const QByteArray bytes = dir.Read("day.csv");
    EXPECT_TRUE(bytes.contains("\r\n'=1+1,'+41,'-2,'@SUM(A1),'\tx,''=x,007,"));

    // The console's own reader takes the guard off: every value comes back.
    const SheetGrid grid = ReadCsvSheet(bytes, path);
    for (size_t r = 0; r < records.size(); ++r) {
        for (unsigned c = 0; c < 8; ++c) {
            const SheetCell* cell = grid.Cell(static_cast<unsigned>(r) + 1, c);
            EXPECT_EQ(cell ? cell->text : QString(), records[r][c]) << r << "," << c;
        }
    }

    // LibreOffice opens the guarded values as text, not as formulas.
    SKIP_WITHOUT_LIBREOFFICE(soffice);
    SKIP_WITHOUT_PYTHON(python, "openpyxl");
    const QString xlsx =
        ConvertWithLibreOffice(soffice, path, dir.Path(""), "xlsx", "CSV:44,34,76");
    ASSERT_FALSE(xlsx.isEmpty());
    const QList<QStringList> rows =
        Texts(ReadWithOpenpyxl(python, xlsx)[0].toObject()["rows"].toArray());
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].mid(0, 4), QStringList({"'=1+1", "'+41", "'-2", "'@SUM(A1)"}));
    EXPECT_EQ(rows[1][7], "'=HYPERLINK(\"http://x\")");
}

INSTANTIATE_TEST_SUITE_P(Readers, SpreadsheetReadBack,
                         ::testing::Values(ReadBackCase{Reader::Openpyxl, 0},
                                           ReadBackCase{Reader::Openpyxl, 100000},
                                           ReadBackCase{Reader::CsvModule, 0},
                                           ReadBackCase{Reader::CsvModule, 100000},
                                           ReadBackCase{Reader::LibreOffice, 0},
                                           ReadBackCase{Reader::LibreOffice, 100000}),
                         ReadBackName);

TEST_F(SpreadsheetSave, CsvIsQuotedWhereNeededUtf8WithAMarkAndCrLf) {
    Add({{"A'7", "a,b", "say \"hi\"", "x\ny", QString::fromUtf8("é"), "", "007", "=1+1"}});
    EXPECT_EQ(
        FormatCsv(doc.m_records),
        QByteArray("\xEF\xBB\xBF"
                   "Id_barcode,Seed,BatchNo,Packet,Inventory,Total_Quantity,Location,Comment\r\n"
                   "A'7,\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\xC3\xA9,,007,'=1+1\r\n"));
}

TEST_F(SpreadsheetSave, TheDialogRefusesAnExistingXlsAtOnceAndAsksForAnotherName) {
    Add(kAwkward);
    dir.Write("day.xls", "an older day");
    files.Answer(dir.Path("day.xls"));
    Save("day.csv");
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].filter,
              "Text file (*.txt);;Excel 2003(*.xls);;Excel Workbook(*.xlsx);;"
              "CSV (Comma delimited)(*.csv)");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "day.xls already exists, and an Excel 2003 workbook is never written over. Please "
              "use other file name !");
    EXPECT_EQ(dir.Read("day.xls"), "an older day");
    EXPECT_TRUE(dir.Exists("day.csv"));
    EXPECT_EQ(doc.m_nSaveState, RECORDS_SAVED);
}

TEST_F(SpreadsheetSave, AFailedSaveSaysSoAndLeavesTheRecordsUnsaved) {
    Add({{"A7", QString(kMaxXlsxCellChars + 1, 'x'), "1", "50", "", "50", "", ""}});
    for (const char* name : {"no/such/folder/day.xlsx", "no/such/folder/day.csv", "long.xlsx"}) {
        prompter.Clear();
        doc.m_nSaveState = RECORDS_SAVED;
        Save(name);
        EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED) << name;
        EXPECT_FALSE(dir.Exists(name)) << name;
        ASSERT_EQ(prompter.shown.size(), 1u) << name;
        EXPECT_TRUE(prompter.shown[0].text.startsWith("The records were not saved")) << name;
    }
    EXPECT_TRUE(prompter.shown[0].text.contains("32767 characters"));
}
