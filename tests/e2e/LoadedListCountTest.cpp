// A sample list loaded from a workbook made by another program (.xls by
// LibreOffice, .xlsx by openpyxl), worked through by scanning, against the
// simulated counter.

#include <QRadioButton>

#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/PythonSpreadsheets.h"
#include "e2e/SimConsoleFixture.h"

namespace {

const QString kSampleList = QStringLiteral(VYN8_FIXTURES_DIR "/sample-list.xls");

class LoadedListCount : public CountWithSimulator {
protected:
    void CountA7From(const QString& path);
};

TEST_F(LoadedListCount, AScannedIdOfALoadedListIsCountedToItsDump) {
    CountA7From(kSampleList);
}

TEST_F(LoadedListCount, AListFromAnOpenpyxlWorkbookIsCountedTheSameWay) {
    SKIP_WITHOUT_PYTHON(python, "xlrd, openpyxl");
    const QString xlsx = dir.Path("sample-list.xlsx");
    ASSERT_TRUE(CopyXlsAs(python, kSampleList, xlsx));
    CountA7From(xlsx);
}

void LoadedListCount::CountA7From(const QString& path) {
    StartCounter({"--fast", "--leftover", "9"});
    files.Answer(path);
    ClickControl(view.get(), IDC_LOADFILE);
    ASSERT_EQ(view->list().Count(), 5) << prompter.Texts().join("|").toStdString();
    ASSERT_EQ(view->session().LoadedList() ? 0 : 1, 0);

    // A7 stands in rows 0 and 3: both are selected and counted as one series.
    Scan("A7");
    ASSERT_TRUE((view->session().Mode() == CountMode::Batch));
    ASSERT_EQ(view->session().SampleRowCount(), 2);
    ASSERT_TRUE(WaitUntil([&] {
        return view->session().Run() == RunState::Dumped && view->DumpNotice() == nullptr &&
               doc->RecordCount() == 2 && !doc->m_records.back()->m_strInventory.isEmpty();
    })) << prompter.Texts().join("|").toStdString();
    EXPECT_EQ(Record(0).m_strIdBarcode, "A7");
    EXPECT_EQ(Record(0).m_strPackNo, "3");
    EXPECT_EQ(Record(0).m_strNumPerPacket, "50");
    EXPECT_EQ(Record(1).m_strPackNo, "1");
    EXPECT_EQ(Record(1).m_strNumPerPacket, "100");
    EXPECT_EQ(Record(1).m_strInventory, "9");
    EXPECT_EQ(Record(1).m_strTotalQuantity, "259");  // 3 x 50 + 1 x 100 + 9
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_EQ(view->list().State(3), SampleListModel::Counted);
    EXPECT_EQ(view->list().State(1), SampleListModel::Plain);
    EXPECT_EQ(Cell(3, SampleListModel::Sum), "259");

    // The list is still being worked through; A7 has nothing left to count.
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 0);
    EXPECT_FALSE(Radio(*view, IDC_BATCH)->isEnabled());
    prompter.Clear();
    Scan("A7");
    EXPECT_EQ(prompter.Texts(), QStringList{"No match ID !"});
}

}  // namespace
