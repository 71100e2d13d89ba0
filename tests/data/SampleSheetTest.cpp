// Load File's reading rules on lists made by other programs: openpyxl,
// python3-xlwt, Python's csv module and LibreOffice.

#include "data/SampleSheet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonObject>

#include "data/excel/PythonSheets.h"
#include "data/excel/PythonSpreadsheets.h"
#include "support/CaseName.h"
#include "support/TestSupport.h"

namespace {

// Writes `rows` as the sheet "vyn8" with openpyxl (.xlsx) or xlwt (.xls),
// as `path`'s extension says; false (the test skipped) without python.
bool WriteWorkbook(const QString& path, const QJsonArray& rows) {
    const bool xlsx = path.endsWith(".xlsx");
    const QString python = FindPython(xlsx ? "openpyxl" : "xlwt");
    if (python.isEmpty()) {
        return false;
    }
    const QJsonArray sheets{QJsonObject{{"name", "vyn8"}, {"rows", rows}}};
    return xlsx ? WriteWithOpenpyxl(python, path, sheets) : WriteWithXlwt(python, path, sheets);
}

QStringList Ids(const SampleSheet& sheet) {
    QStringList ids;
    for (const SampleCells& row : sheet.rows) {
        ids << row[1];
    }
    return ids;
}

class WorkbookRules : public ::testing::TestWithParam<const char*> {
protected:
    QString Path(const char* name) const { return dir.Path(QString(name) + "." + GetParam()); }
    TempWorkDir dir;
};

TEST_P(WorkbookRules, AFormulaWithoutItsResultIsRefusedNamingTheCell) {
    const QString path = Path("formulas");
    if (!WriteWorkbook(path, Rows({{"ID", "Seed"},
                                   {"A7", "Wheat"},
                                   {QJsonObject{{"formula", "=\"F\"&ROW()"}}, "Oat"}}))) {
        GTEST_SKIP() << "skipped: no python3 with openpyxl and xlwt";
    }
    const SampleSheet sheet = ReadSampleSheet(path);
    EXPECT_EQ(sheet.fault, SampleSheet::Fault::Refused);
    EXPECT_TRUE(sheet.rows.empty());
    EXPECT_EQ(sheet.message, "Cannot load " + path +
                                 ": cell A3 is a formula with no stored value: open and save the "
                                 "workbook in a spreadsheet program first. Nothing was loaded.");

    // Saved by a spreadsheet program, the formula has its result. (Converted
    // headless, LibreOffice computes the formulas of an .xlsx only.)
    const QString soffice = FindLibreOffice();
    if (soffice.isEmpty() || QString(GetParam()) == "xls") {
        return;
    }
    QDir().mkpath(dir.Path("saved"));
    const QString saved = ConvertWithLibreOffice(soffice, path, dir.Path("saved"), GetParam());
    const SampleSheet again = ReadSampleSheet(saved);
    EXPECT_EQ(again.fault, SampleSheet::Fault::None) << again.message.toStdString();
    EXPECT_EQ(Ids(again), QStringList({"A7", "F3"}));
}

TEST_P(WorkbookRules, WholeNumbersLoadAsTheirDigitsUpTo2To53) {
    const QString path = Path("numbers");
    if (!WriteWorkbook(path, Rows({{"ID", "Seed", "PackNo"},
                                   {1230000000000000.0, "Wheat", 2.5},
                                   {1e15, "Oat", 1},
                                   {9007199254740992.0, "Rice", 0.1},
                                   {-42, "Rye", 1e-7}}))) {
        GTEST_SKIP() << "skipped: no python3 with openpyxl and xlwt";
    }
    const SampleSheet sheet = ReadSampleSheet(path);
    ASSERT_EQ(sheet.fault, SampleSheet::Fault::None) << sheet.message.toStdString();
    EXPECT_EQ(Ids(sheet),
              QStringList({"1230000000000000", "1000000000000000", "9007199254740992", "-42"}));
    // Numbers in a workbook keep their whole part.
    EXPECT_EQ(sheet.rows[0][3], "2");
    EXPECT_EQ(sheet.rows[2][3], "0");

    const QString big = Path("big");
    ASSERT_TRUE(WriteWorkbook(big, Rows({{"ID", "Seed"}, {"A7", "Wheat"}, {1.2345e20, "Oat"}})));
    const SampleSheet refused = ReadSampleSheet(big);
    EXPECT_EQ(refused.fault, SampleSheet::Fault::Refused);
    EXPECT_EQ(refused.message, "Cannot load " + big +
                                   ": cell A3 holds the number 1.2345e+20, which cannot be written "
                                   "exactly as digits. Nothing was loaded.");
}

INSTANTIATE_TEST_SUITE_P(Formats, WorkbookRules, ::testing::Values("xlsx", "xls"));

// A CSV file written by Python's csv module with `delimiter`, and the IDs
// it loads, or the refusal's words.
struct CsvCase {
    const char* name;
    std::vector<QStringList> rows;
    const char* delimiter;
    QStringList ids;
    const char* refusal = nullptr;  // the message a refused sheet gives
};

class CsvSeparator : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvSeparator, IsTheOneThatSplitsTheFirstLinesAlike) {
    SKIP_WITHOUT_PYTHON(python, "csv");
    TempWorkDir dir;
    QJsonArray rows;
    for (const QStringList& r : GetParam().rows) {
        rows.append(QJsonArray::fromStringList(r));
    }
    const QString path = dir.Path("list.csv");
    ASSERT_TRUE(WriteWithCsvModule(python, path, rows, GetParam().delimiter));
    const SampleSheet sheet = ReadSampleSheet(path);
    if (GetParam().refusal) {
        EXPECT_EQ(sheet.fault, SampleSheet::Fault::Unreadable);
        EXPECT_TRUE(sheet.message.startsWith("Cannot read " + path + ": "));
        EXPECT_TRUE(sheet.message.contains(GetParam().refusal)) << sheet.message.toStdString();
    } else {
        EXPECT_EQ(sheet.fault, SampleSheet::Fault::None) << sheet.message.toStdString();
        EXPECT_EQ(Ids(sheet), GetParam().ids);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvSeparator,
    ::testing::Values(
        CsvCase{"semicolons and decimal commas", {{"A7", "1,5", "2,5", "3,5"}}, ";", {"A7"}},
        CsvCase{"semicolons and decimal commas, two lines",
                {{"A7", "1,5", "2,5", "3,5"}, {"A8", "10,5", "2", "3"}},
                ";",
                {"A7", "A8"}},
        CsvCase{"TABs with commas in comments",
                {{"ID", "Seed", "Comment"}, {"A1", "Wheat", "dry, cold"}, {"A2", "Oat", "a, b"}},
                "\t",
                {"A1", "A2"}},
        CsvCase{"commas with semicolons in comments",
                {{"ID", "Seed", "Comment"}, {"A1", "Wheat", "dry; cold"}},
                ",",
                {"A1"}},
        CsvCase{"one column", {{"ID"}, {"A1"}, {"A2"}}, ",", {"A1", "A2"}},
        CsvCase{"commas or semicolons alike",
                {{"A1,x", "y"}},
                ";",
                {},
                "its lines split alike at commas and at semicolons"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(SampleSheetCsv, OnlyWholeNumbersWrittenWithZerosAreCut) {
    SKIP_WITHOUT_PYTHON(python, "csv");
    TempWorkDir dir;
    const QString path = dir.Path("list.csv");
    ASSERT_TRUE(WriteWithCsvModule(python, path,
                                   Rows({{"ID", "Seed", "PackNo", "Num/P"},
                                         {"1.10", "Oat", "12.0", "7"},
                                         {"1.20", "Rice", "3.5", "4.00"},
                                         {"2023.001", "Rye", ".0", "1e3"}})));
    const SampleSheet sheet = ReadSampleSheet(path);
    ASSERT_EQ(sheet.fault, SampleSheet::Fault::None) << sheet.message.toStdString();
    EXPECT_EQ(Ids(sheet), QStringList({"1.10", "1.20", "2023.001"}));
    EXPECT_EQ(QStringList({sheet.rows[0][3], sheet.rows[1][3], sheet.rows[2][3]}),
              QStringList({"12", "3.5", ".0"}));
    EXPECT_EQ(QStringList({sheet.rows[0][4], sheet.rows[1][4], sheet.rows[2][4]}),
              QStringList({"7", "4", "1e3"}));
}

// Files that hold no list, or cannot be read: one message naming the file
// and why, whatever the format.
struct UnreadableCase {
    const char* name;
    QByteArray bytes;  // written to `name`; a folder when null
    const char* why;
};

class SampleSheetUnreadable : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(SampleSheetUnreadable, NamesTheFileAndWhy) {
    TempWorkDir dir;
    const QString path = dir.Path(GetParam().name);
    if (GetParam().bytes.isNull()) {
        ASSERT_TRUE(QDir().mkpath(path));
    } else {
        dir.Write(GetParam().name, GetParam().bytes);
    }
    const SampleSheet sheet = ReadSampleSheet(path);
    EXPECT_EQ(sheet.fault, SampleSheet::Fault::Unreadable);
    EXPECT_EQ(sheet.message, "Cannot read " + path + ": " + GetParam().why);
    EXPECT_FALSE(sheet.firstColumnUnnamed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SampleSheetUnreadable,
    ::testing::Values(UnreadableCase{"empty.csv", "", "the file is empty"},
                      UnreadableCase{"empty.xls", "", "the file is empty"},
                      UnreadableCase{"empty.xlsx", "", "the file is empty"},
                      UnreadableCase{"blank.csv", "\r\n\r\n", "it holds no samples"},
                      UnreadableCase{"list.csv", QByteArray(), "it is a folder"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(SampleSheetFiles, AMissingOrForbiddenFileIsNamedWithItsReason) {
    TempWorkDir dir;
    EXPECT_EQ(ReadSampleSheet(dir.Path("gone.csv")).message,
              "Cannot read " + dir.Path("gone.csv") + ": there is no such file");
    const QString blank = dir.Path("blank.xlsx");
    if (!WriteWorkbook(blank, QJsonArray())) {
        GTEST_SKIP() << "skipped: no python3 with openpyxl";
    }
    EXPECT_EQ(ReadSampleSheet(blank).message, "Cannot read " + blank + ": it holds no samples");
    if (geteuid() == 0) {
        GTEST_SKIP() << "skipped: the superuser reads any file";
    }
    dir.Write("locked.csv", "ID\r\nA1\r\n");
    QFile::setPermissions(dir.Path("locked.csv"), QFileDevice::WriteOwner);
    EXPECT_EQ(ReadSampleSheet(dir.Path("locked.csv")).message,
              "Cannot read " + dir.Path("locked.csv") + ": permission denied");
}

TEST(SampleSheetFiles, TheRowLimitIsOnePlainSentence) {
    SKIP_WITHOUT_PYTHON(python, "csv");
    TempWorkDir dir;
    QJsonArray rows;
    rows.append(QJsonArray{"ID", "Seed"});
    for (int i = 0; i < 101; ++i) {
        rows.append(QJsonArray{QString("S%1").arg(i), "Wheat"});
    }
    const QString path = dir.Path("rows.csv");
    ASSERT_TRUE(WriteWithCsvModule(python, path, rows));
    EXPECT_EQ(ReadSampleSheet(path, kMaxSampleListRows - 101).rows.size(), 101u);
    const SampleSheet sheet = ReadSampleSheet(path, kMaxSampleListRows - 100);
    EXPECT_EQ(sheet.fault, SampleSheet::Fault::Refused);
    EXPECT_EQ(sheet.message,
              "Cannot load " + path +
                  ": it has 101 rows, and the sample list holds at most 65100 rows (65000 are in "
                  "it already). Nothing was loaded.");
}

}  // namespace
