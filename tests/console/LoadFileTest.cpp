// Load File...: sample lists from sheets made by other programs.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QJsonObject>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "console/RunFixture.h"
#include "data/excel/PythonSheets.h"
#include "support/ConsoleFixture.h"

namespace {

const QString kSheetMessage =
    "This is not a correct file, Sheet label should be vyn8 in excel file";

// Connected, so that the count mode can be chosen until a list is loaded.
class LoadFileTest : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        Connect();
    }
    QString Fixture(const char* name) const { return QString(VYN8_FIXTURES_DIR) + "/" + name; }
    // Cells 0..n-1 of a list row.
    QStringList Row(int r, int n = 5) const {
        QStringList cells;
        for (int c = 0; c < n; ++c) {
            cells << view->list().Cell(r, c);
        }
        return cells;
    }
    void Load(const QString& path) {
        files.Answer(path);
        view->OnLoadFile();
    }
    // A sheet "vyn8" written by xlwt; empty when xlwt is missing.
    QString XlwtSheet(const QJsonArray& rows, const QString& sheet = "vyn8") {
        const QString python = FindPython("xlwt");
        if (python.isEmpty()) {
            return QString();
        }
        const QString path = dir.Path("sheet.xls");
        QFile::remove(path);
        WriteWithXlwt(python, path, {QJsonObject{{"name", sheet}, {"rows", rows}}});
        return path;
    }
    void ExpectLoaded(int rows) {
        EXPECT_EQ(view->list().Count(), rows);
        EXPECT_EQ(view->list().Count(), rows);
        EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 0);
        EXPECT_FALSE(Radio(*view, IDC_BATCH)->isEnabled());
        EXPECT_FALSE(Radio(*view, IDC_TOTALIZE)->isEnabled());
    }
};

}  // namespace

TEST_F(LoadFileTest, HeaderIdLoadsRowsWithCuttingAndTheNoneSeedRule) {
    Load(Fixture("sample-list.xls"));
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].defaultExt, "xls");
    EXPECT_TRUE(files.requests[0].filter.contains("*.xls"));
    ExpectLoaded(5);
    EXPECT_EQ(view->session().SampleRowCount(), 5);
    EXPECT_EQ(Row(0, 7), QStringList({"1", "A7", "Wheat", "3", "50", "Shelf 2", ""}));
    EXPECT_EQ(Row(2), QStringList({"3", "B1", "Barley", "0", "1"}));
    // A numeric seed cell: "None", and the rest move one column right.
    EXPECT_EQ(Row(4, 8), QStringList({"5", "C12", "None", "12", "5", "10", "Cold room",
                                      "numeric seed column"}));
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(view->list().State(r), SampleListModel::Plain);
        EXPECT_EQ(view->session().SampleRow(static_cast<size_t>(r)), r);
    }
}

TEST_F(LoadFileTest, SheetsWithoutIdHeaderLoadTheirFirstRowUncut) {
    Load(Fixture("sample-list-no-header.xls"));
    ExpectLoaded(3);
    // Numeric cells of the first row are named F3, F4, but load as their values.
    EXPECT_EQ(Row(0), QStringList({"1", "A7", "Wheat", "3", "50"}));
    EXPECT_EQ(Row(1), QStringList({"2", "A8", "Barley", "2", "20"}));

    const QString path =
        XlwtSheet({QJsonArray{"Id_barcode", "Seed", "BatchNo", "Packet"},
                   QJsonArray{"A.1", "Oat", "2.5", 7.25}, QJsonArray{"B2", 4, 10, "x.y"}});
    if (path.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with xlwt";
    }
    Load(path);
    ExpectLoaded(6);
    EXPECT_EQ(Row(3), QStringList({"4", "Id_barcode", "Seed", "BatchNo", "Packet"}));
    EXPECT_EQ(Row(4), QStringList({"5", "A.1", "Oat", "2.5", "7.25"}));
    EXPECT_EQ(Row(5, 6), QStringList({"6", "B2", "None", "4", "10", "x.y"}));
    EXPECT_EQ(view->session().SampleRowCount(), 6);
}

TEST_F(LoadFileTest, UnnamedFirstColumnAsksFirst) {
    prompter.Answer(IDNO);
    Load(Fixture("sample-list-unnamed-first-column.xls"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "Please format this file. If click Yes\n the message in first row will be lost");
    EXPECT_EQ(prompter.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(view->list().Count(), 0);
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 1);
    EXPECT_TRUE(Radio(*view, IDC_BATCH)->isEnabled());

    prompter.Answer(IDYES);
    Load(Fixture("sample-list-unnamed-first-column.xls"));
    ExpectLoaded(2);
    EXPECT_EQ(Row(0), QStringList({"1", "A7", "Wheat", "3", "50"}));
    EXPECT_EQ(Row(1), QStringList({"2", "A8", "Barley", "2", "20"}));
}

TEST_F(LoadFileTest, FailuresShowTheirMessageAndLoadNothing) {
    Load(Fixture("workbook-without-vyn8.xls"));
    EXPECT_EQ(prompter.Texts(), QStringList{kSheetMessage});
    EXPECT_EQ(view->list().Count(), 0);
    EXPECT_FALSE(Radio(*view, IDC_BATCH)->isEnabled());
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 1);

    // A file that is no readable workbook says so, and why.
    QFile good(Fixture("sample-list.xls"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    dir.Write("renamed.xls", "PK\x03\x04 not a workbook");
    dir.Write("truncated.xls", good.read(3000));
    dir.Write("notes.xls", "ID\tSeed\r\n");
    for (const auto& [path, why] : std::vector<std::pair<QString, QString>>{
             {dir.Path("renamed.xls"), "it is an Excel 2007 or later workbook (.xlsx)"},
             {dir.Path("truncated.xls"), "it is damaged or truncated"},
             {dir.Path("notes.xls"), "it is a text file"},
             {Fixture("compound-header-only.xls"), "it is damaged or truncated"}}) {
        prompter.Clear();
        Load(path);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.shown[0].text.startsWith("Cannot read " + path + ": " + why))
            << prompter.shown[0].text.toStdString();
        EXPECT_TRUE(prompter.shown[0].text.endsWith(". Nothing was loaded."));
        EXPECT_EQ(view->list().Count(), 0);
        EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 1);
    }

    prompter.Clear();
    Load(dir.Path("gone.xls"));
    EXPECT_EQ(prompter.Texts(),
              QStringList{"Cannot read " + dir.Path("gone.xls") +
                          ": there is no such file. Nothing was loaded."});

    prompter.Clear();
    ClickControl(view.get(), IDC_TOTALIZE);
    const bool modeChoosable = Radio(*view, IDC_BATCH)->isEnabled();
    files.Answer("");
    view->OnLoadFile();  // the file dialog cancelled: nothing changes
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(Radio(*view, IDC_BATCH)->isEnabled(), modeChoosable);

    doc->m_strExcelDriver.clear();
    view->OnLoadFile();
    EXPECT_EQ(prompter.Texts(), QStringList{"No Excel ODBC Driver found!"});
    EXPECT_EQ(files.requests.size(), 7u);  // no file dialog without a driver
    EXPECT_EQ(view->list().Count(), 0);
}

TEST_F(LoadFileTest, SavedRecordsStartANewListUnsavedOnesAreAppendedTo) {
    Load(Fixture("sample-list-no-header.xls"));
    Load(Fixture("sample-list-no-header.xls"));
    ExpectLoaded(6);
    EXPECT_EQ(Row(5), QStringList({"6", "B1", "Rice", "0", "1"}));

    doc->AddRecord("A7");
    doc->m_nSaveState = RECORDS_SAVED;
    Load(Fixture("sample-list.xls"));
    ExpectLoaded(5);
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_EQ(doc->m_nSaveState, RECORDS_UNSAVED);
    EXPECT_EQ(Row(0)[1], "A7");
}

TEST_F(LoadFileTest, ListLimitIsKeptWholeSheetOrNothing) {
    // Longer than one sample's row table: every row is loaded plain.
    // Appended, not braced: clang takes a braced lone array for a copy of it.
    QJsonArray rows;
    rows.append(QJsonArray{"ID", "Seed", "PackNo", "Num/P"});
    for (int i = 0; i < 300; ++i) {
        rows.append(QJsonArray{QString("S%1").arg(i), "Rice", 1, 10});
    }
    const QString path = XlwtSheet(rows);
    if (path.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with xlwt";
    }
    Load(path);
    ExpectLoaded(300);
    EXPECT_EQ(view->session().SampleRowCount(), 300);
    EXPECT_EQ(Row(299), QStringList({"300", "S299", "Rice", "1", "10"}));

    while (view->list().Count() < kMaxListRows - 100) {
        view->session().Rows().Append();
    }
    prompter.Clear();
    Load(path);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("65100")) << prompter.shown[0].text.toStdString();
    EXPECT_EQ(view->list().Count(), kMaxListRows - 100);
    EXPECT_EQ(view->list().Count(), kMaxListRows - 100);
}

TEST_F(LoadFileTest, CellsAreMadeStorableOrTheSheetIsRefusedNamingItsRows) {
    const QJsonArray header{"ID", "Seed", "PackNo", "Num/P", "Location", "Comment"};
    const QString mixed = XlwtSheet({header, QJsonArray{"A1", "Wheat", 1, 10, "Shelf\t2", "ok"},
                                     QJsonArray{"A2", "Rice", 1, 10, "Row 3", "two\nlines\r\n"}});
    if (mixed.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with xlwt";
    }
    Load(mixed);
    ExpectLoaded(2);
    EXPECT_EQ(view->list().Cell(0, SampleListModel::Location), "Shelf 2");
    EXPECT_EQ(view->list().Cell(1, SampleListModel::Comment), "two lines  ");
    // Told once, however many cells.
    EXPECT_EQ(prompter.Texts(),
              QStringList{"Tabs and line breaks in 2 cells of the sheet were replaced by spaces."});

    // Letters outside Latin-1: nothing is loaded and the sheet's rows are named.
    const QString foreign =
        XlwtSheet({header, QJsonArray{"B1", "Wheat", 1, 10, "", ""},
                   QJsonArray{QString::fromUtf8("\u4e2d\u6587ID"), "Rice", 1, 10, "", ""},
                   QJsonArray{"B3", "Oat", 1, 10, "", ""},
                   QJsonArray{"B4", QString::fromUtf8("Bu\u011fday"), 1, 10, "",
                              QString::fromUtf8("\u0103")}});
    prompter.Clear();
    Load(foreign);
    EXPECT_EQ(prompter.Texts(),
              QStringList{"Rows 3, 5 of the sheet cannot be stored: use letters of Western "
                          "European languages only. Nothing was loaded."});
    EXPECT_EQ(view->list().Count(), 2);
}

TEST_F(LoadFileTest, TheListShowsTheFirstLoadedRow) {
    // A long hand-entered list, scrolled to its top.
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    for (int i = 0; i < 100; ++i) {
        view->session().Rows().Append();
    }
    auto* list = static_cast<QTableView*>(view->control(IDC_LIST));
    list->scrollToTop();
    QApplication::processEvents();
    Load(Fixture("sample-list.xls"));
    ASSERT_EQ(view->list().Count(), 105);
    QApplication::processEvents();
    const QRect first = list->visualRect(view->list().index(100, 0));
    EXPECT_TRUE(list->viewport()->rect().contains(first))
        << "row 100 at y " << first.top() << ", first row shown " << list->rowAt(0);
}

TEST_F(LoadFileTest, FormulaCellsLoadTheirStoredResults) {
    Load(Fixture("formula-results.xls"));
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    ExpectLoaded(3);
    EXPECT_EQ(Row(0, 7), QStringList({"1", "A7", "Wheat", "3", "50", "1", "#DIV/0!"}));
    EXPECT_EQ(Row(1), QStringList({"2", "B8", "Barley", "6", "20"}));
    EXPECT_EQ(Row(2), QStringList({"3", "C9", "Oat", "5", "#VALUE!"}));
}

TEST_F(LoadFileTest, EmptyRowsAboveAndBetweenTheSamplesAreSkipped) {
    Load(Fixture("sample-list-blank-rows.xls"));
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    ExpectLoaded(3);
    EXPECT_EQ(Row(0), QStringList({"1", "A7", "Wheat", "3", "50"}));
    EXPECT_EQ(Row(1), QStringList({"2", "A8", "Barley", "2", "20"}));
    EXPECT_EQ(Row(2), QStringList({"3", "B1", "Rice", "0", "1"}));
}

TEST_F(LoadFileTest, OnlyNumbersAreCutAtTheirPeriod) {
    const QString path =
        XlwtSheet({QJsonArray{"ID", "Seed", "PackNo", "Num/P"},
                   QJsonArray{"A.B.C", "Oat", 2.5, "10.5"}, QJsonArray{12.5, "Rice", "3.x", 7}});
    if (path.isEmpty()) {
        GTEST_SKIP() << "skipped: no python3 with xlwt";
    }
    Load(path);
    ExpectLoaded(2);
    EXPECT_EQ(Row(0), QStringList({"1", "A.B.C", "Oat", "2", "10.5"}));
    EXPECT_EQ(Row(1), QStringList({"2", "12", "Rice", "3.x", "7"}));
}

TEST_F(LoadFileTest, AnyCharacterOfThePathOpensExactlyThatFile) {
    QFile fixture(Fixture("sample-list.xls"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray bytes = fixture.readAll();
    ASSERT_TRUE(QDir().mkpath(dir.Path("my {data}; x=1")));
    for (const char* name : {"day\"1.xls", "a;DBQ=other.xls", "list;", "b}.xls ", " {c}=d.xls",
                             "my {data}; x=1/list one.xls"}) {
        dir.Write(name, bytes);
        prompter.Clear();
        doc->m_nSaveState = RECORDS_SAVED;  // each load starts a new list
        Load(dir.Path(name));
        EXPECT_TRUE(prompter.shown.empty())
            << name << ": " << prompter.Texts().join('|').toStdString();
        EXPECT_EQ(view->list().Count(), 5) << name;
    }
}
