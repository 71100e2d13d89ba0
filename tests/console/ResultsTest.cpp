// Records of finished rows and closed samples, the incomplete row, and the
// Sample Ready notice.

#include <QCoreApplication>
#include <QLineEdit>

#include "console/SampleListSupport.h"
#include "dialogs/Sample35.h"

namespace {

class Results : public SampleListFixture {
protected:
    void SetUp() override {
        SampleListFixture::SetUp();
        doc->OnRecordsChanged = [this] { ++changes; };
    }
    // A Batch Count series entered through Data Input, location "L1".
    void EnterSeries(const QString& id, const std::vector<std::pair<QString, QString>>& rows) {
        Choose(IDC_BATCH);
        view->m_bOptLocationComment = 1;
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool last = i + 1 == rows.size();
            dialogs.Then([row = rows[i], last](CDialogBase& d) {
                SetControlText(&d, cBatch35::IDC_EDIT_LOCATION, "L1");
                SetControlText(&d, cBatch35::IDC_EDIT_PACKETS, row.first);
                SetControlText(&d, cBatch35::IDC_EDIT_SEEDS, row.second);
                // Done takes the last row as it stands and ends the series.
                last ? Done()(d) : Numbers(row.first, row.second)(d);
            });
        }
        const int before = view->m_nRowCount;
        EnterId(id);
        ASSERT_EQ(view->m_nRowCount, before + static_cast<int>(rows.size()));
    }
    // The counter's figures at the moment a series is closed.
    void Counted(const QString& packageNo, const QString& count) {
        SetControlText(view.get(), IDC_PACKAGENO, packageNo);
        SetControlText(view.get(), IDC_COUNT, count);
        view->m_strLastCount = count;
    }
    void Close() {
        view->m_bClosingSample = 1;
        view->RecordPacket();
        view->MarkIncomplete();
        view->m_bClosingSample = 0;
    }
    QStringList Record(int i) const {
        const cParam& p = *doc->m_records.at(static_cast<size_t>(i));
        return {p.m_strIdBarcode, p.m_strSeed,          p.m_strPackNo,   p.m_strNumPerPacket,
                p.m_strInventory, p.m_strTotalQuantity, p.m_strLocation, p.m_strComment};
    }
    QString Inventory(const QString& id) const {
        QString v;
        return doc->m_inventory.Lookup(id, &v) ? v : QStringLiteral("<none>");
    }
    int changes = 0;
};

TEST_F(Results, TotalizeSampleClosedAtItsCount) {
    Choose(IDC_TOTALIZE);
    EnterId("T1");
    view->m_strLastCount = "1234";
    view->m_bClosingSample = 1;
    view->RecordPacket();

    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Record(0), (QStringList{"T1", "Wheat", "0", "1234", "1234", "1234", "", ""}));
    EXPECT_EQ(view->m_pCurrentEntry, doc->m_records[0].get());
    EXPECT_EQ(Inventory("T1"), "1234");
    EXPECT_EQ(changes, 1);
}

TEST_F(Results, FinishedRowsAddUpBeforeTheDump) {
    EnterSeries("A1", {{"5", "20"}, {"3", "50"}});
    view->m_strLastCount = "17";  // a count frame's figure; not used here
    view->RecordPacket();
    view->m_nCurPacket = 1;
    view->RecordPacket();

    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(Record(0), (QStringList{"A1", "Wheat", "5", "20", "", "", "L1", ""}));
    EXPECT_EQ(Record(1), (QStringList{"A1", "Wheat", "3", "50", "", "", "L1", ""}));
    EXPECT_EQ(view->m_nDumpTotal, 250);
    EXPECT_EQ(Inventory("A1"), "<none>");
    EXPECT_EQ(changes, 2);
}

TEST_F(Results, DoneDuringAPacketSplitsTheRow) {
    EnterSeries("A1", {{"2", "10"}, {"5", "20"}, {"4", "30"}});
    view->RecordPacket();  // the first row finished: 20 seeds
    view->m_nCurPacket = 1;
    Counted("3", "12");
    Close();

    ASSERT_EQ(doc->RecordCount(), 3);
    EXPECT_EQ(Record(1), (QStringList{"A1", "Wheat", "2", "20", "", "", "L1", ""}));
    EXPECT_EQ(Record(2), (QStringList{"A1", "Wheat", "1", "12", "0", "72", "L1", "InComplete"}));
    EXPECT_EQ(view->m_pCurrentEntry, doc->m_records[2].get());
    EXPECT_EQ(Inventory("A1"), "0");
    // The closed series' total went into its record; the next starts at 0.
    EXPECT_EQ(view->m_nDumpTotal, 0);

    // The row after the current one is gone; the unfinished packet has a
    // counted row of its own.
    ASSERT_EQ(view->m_nRowCount, 3);
    EXPECT_EQ(view->list().Count(), 3);
    EXPECT_EQ(Row(1), (QStringList{"A1", "Wheat", "2", "20", "L1", ""}));
    EXPECT_EQ(Row(2), (QStringList{"A1", "Wheat", "1", "12", "L1", "incomplete"}));
    EXPECT_EQ(view->list().Cell(2, SampleListModel::No), "3");
    EXPECT_EQ(view->list().State(2), SampleListModel::Counted);
    const QModelIndex added = view->list().index(2, 0);
    EXPECT_EQ(view->list().data(added, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(view->list().data(added, Qt::BackgroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(view->m_nSampleRowCount, 2);
}

TEST_F(Results, DoneDuringTheFirstPacketOfALaterRowCountsEveryFinishedRow) {
    EnterSeries("A1", {{"2", "10"}, {"5", "20"}});
    view->RecordPacket();  // the first row finished: 20 seeds
    view->m_nCurPacket = 1;
    Counted("1", "7");
    Close();

    ASSERT_EQ(doc->RecordCount(), 2);
    // The series' total: 2 x 10 finished, 7 in the unfinished packet.
    EXPECT_EQ(Record(1), (QStringList{"A1", "Wheat", "1", "7", "0", "27", "L1", "InComplete"}));
    EXPECT_EQ(Inventory("A1"), "0");
    EXPECT_EQ(view->m_nDumpTotal, 0);
    ASSERT_EQ(view->m_nRowCount, 2);
    EXPECT_EQ(Row(1), (QStringList{"A1", "Wheat", "1", "7", "L1", "InComplete"}));
}

TEST_F(Results, NothingIsRecordedPastTheEndOfTheSeries) {
    EnterSeries("A1", {{"2", "10"}});
    view->m_nCurPacket = 1;  // the last row has been counted
    Counted("3", "12");
    Close();
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_EQ(view->m_nRowCount, 1);
    EXPECT_EQ(Row(0), (QStringList{"A1", "Wheat", "2", "10", "L1", ""}));
    EXPECT_EQ(changes, 0);
}

TEST_F(Results, SampleReadyNoticeIsKeptThroughTheConsolesPointer) {
    view->ShowSampleReady();
    Sample35* first = view->m_pSampleReadyDlg;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->Text(), "Sample Ready !");
    view->ShowSampleReady();  // one notice at a time
    EXPECT_EQ(view->m_pSampleReadyDlg, first);

    view->m_pSampleReadyDlg->CloseNotice();
    EXPECT_EQ(view->m_pSampleReadyDlg, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    view->ShowSampleReady();
    ASSERT_NE(view->m_pSampleReadyDlg, nullptr);
    ClickControl(view->m_pSampleReadyDlg, IDOK);
    EXPECT_EQ(view->m_pSampleReadyDlg, nullptr);

    // A notice still open when the console goes away goes with it.
    view->ShowSampleReady();
    EXPECT_NE(view->m_pSampleReadyDlg, nullptr);
}

}  // namespace
