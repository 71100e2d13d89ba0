// Load File... with .xlsx and CSV lists made by other writers: they load as
// the same list in .xls does, and bad files leave the list as it was.

#include <gtest/gtest.h>

#include <QJsonObject>
#include <QRadioButton>

#include "data/excel/PythonSpreadsheets.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

namespace {

class LoadFileFormatsTest : public ConsoleFixture {
protected:
    void Load(const QString& path) {
        Radio(*view, IDC_BATCH)->setEnabled(true);
        files.Answer(path);
        view->OnLoadFile();
    }
    // Every cell of every row of the list.
    QList<QStringList> Cells() const {
        QList<QStringList> rows;
        for (int r = 0; r < view->list().Count(); ++r) {
            QStringList cells;
            for (int c = 0; c < SampleListModel::kColumns; ++c) {
                cells << view->list().Cell(r, c);
            }
            rows << cells;
        }
        return rows;
    }
    // The list `path` loads into an empty list.
    QList<QStringList> Loaded(const QString& path) {
        doc->m_nSaveState = RECORDS_SAVED;  // the next load starts afresh
        prompter.Clear();
        Load(path);
        EXPECT_TRUE(prompter.Texts().filter("Cannot").isEmpty())
            << prompter.Texts().join('|').toStdString();
        return Cells();
    }
};

struct FormatCase {
    const char* fixture;
    const char* ext;
};

class LoadFileAsXls : public LoadFileFormatsTest,
                      public ::testing::WithParamInterface<FormatCase> {};

TEST_P(LoadFileAsXls, ListsLoadAsTheirXlsEquivalents) {
    const QString python = FindPython("xlrd, openpyxl");
    if (python.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with xlrd and openpyxl";
    }
    const QString xls = QString(VYN8_FIXTURES_DIR) + "/" + GetParam().fixture;
    const QString copy = dir.Path(QString("copy.") + GetParam().ext);
    ASSERT_TRUE(CopyXlsAs(python, xls, copy));
    const QList<QStringList> expected = Loaded(xls);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(Loaded(copy), expected);
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 0);
    EXPECT_FALSE(Radio(*view, IDC_BATCH)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LoadFileAsXls,
    ::testing::Values(FormatCase{"sample-list.xls", "xlsx"}, FormatCase{"sample-list.xls", "csv"},
                      FormatCase{"sample-list-no-header.xls", "xlsx"},
                      FormatCase{"sample-list-no-header.xls", "csv"},
                      FormatCase{"sample-list-unnamed-first-column.xls", "xlsx"},
                      FormatCase{"sample-list-unnamed-first-column.xls", "csv"}),
    [](const auto& info) {
        return CaseName(info.index, std::string(info.param.fixture) + " as " + info.param.ext);
    });

TEST_F(LoadFileFormatsTest, BadFilesNameTheFileAndLeaveTheListAsItWas) {
    SKIP_WITHOUT_PYTHON(python, "openpyxl");
    Load(QString(VYN8_FIXTURES_DIR) + "/sample-list-no-header.xls");
    const QList<QStringList> before = Cells();
    ASSERT_EQ(before.size(), 3);

    dir.Write("renamed.xlsx", "ID\tSeed\r\nA7\tWheat\r\n");
    dir.Write("mixed.csv", "ID;Seed;PackNo\r\nA7;Wheat\r\n");
    QJsonArray rows;
    rows.append(QJsonArray{"ID", "Seed"});
    for (int i = 0; i < kMaxListRows - 2; ++i) {
        rows << QJsonArray{QString("S%1").arg(i), "Wheat"};
    }
    ASSERT_TRUE(WriteWithCsvModule(python, dir.Path("long.csv"), rows));
    for (const char* name : {"renamed.xlsx", "mixed.csv", "long.csv"}) {
        prompter.Clear();
        Load(dir.Path(name));
        ASSERT_EQ(prompter.shown.size(), 1u) << name;
        EXPECT_TRUE(prompter.shown[0].text.contains(dir.Path(name)))
            << prompter.shown[0].text.toStdString();
        EXPECT_EQ(Cells(), before) << name;
    }
    EXPECT_TRUE(prompter.shown[0].text.contains("at most 65100 rows"));

    // A readable workbook without the sheet gets the sheet message.
    ASSERT_TRUE(WriteWithOpenpyxl(
        python, dir.Path("other.xlsx"),
        QJsonArray{QJsonObject{{"name", "Sheet1"}, {"rows", QJsonArray() << QJsonArray{"ID"}}}}));
    prompter.Clear();
    Load(dir.Path("other.xlsx"));
    EXPECT_EQ(prompter.Texts(),
              QStringList{"This is not a correct file, Sheet label should be vyn8 in excel file"});
    EXPECT_EQ(Cells(), before);
}

}  // namespace
