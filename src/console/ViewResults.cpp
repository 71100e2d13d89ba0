// Records of finished rows and closed samples, the incomplete row of a series
// closed early, and the Sample Ready notice.

#include <QLineEdit>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/Sample35.h"
#include "platform/NumText.h"

namespace {

// The list row of the packet being counted, or -1 when the sample has no
// such row (the series has already run to its end).
int CurrentRow(const Cvyn8_rk47View& v) {
    if (v.m_nCurPacket < 0 || v.m_nCurPacket >= v.m_nSampleRowCount ||
        v.m_nCurPacket >= kSampleRowTable) {
        return -1;
    }
    const int r = v.m_nSampleRows[static_cast<size_t>(v.m_nCurPacket)];
    return r >= 0 && r < v.list().Count() ? r : -1;
}

}  // namespace

void Cvyn8_rk47View::RecordPacket() {
    const int r = CurrentRow(*this);
    if (r < 0) {
        return;
    }
    const SampleListModel& list = *m_model;
    const QString id = list.Cell(r, SampleListModel::Id);
    const QString seed = list.Cell(r, SampleListModel::Seed);
    const QString packNo = list.Cell(r, SampleListModel::PackNo);
    const QString numP = list.Cell(r, SampleListModel::NumP);
    const QString location = list.Cell(r, SampleListModel::Location);
    const QString comment = list.Cell(r, SampleListModel::Comment);
    m_strPackageNo = m_editPackageNo->text();
    const QString last = m_strLastCount;
    Cvyn8_rk47Doc& doc = *m_pDoc;

    auto add = [&](const QString& numPerPacket, const QString& packs, const QString& note) {
        m_pCurrentEntry = doc.AddRecord(id);
        m_pCurrentEntry->m_strSeed = seed;
        m_pCurrentEntry->m_strNumPerPacket = numPerPacket;
        m_pCurrentEntry->m_strPackNo = packs;
        m_pCurrentEntry->m_strLocation = location;
        m_pCurrentEntry->m_strComment = note;
        return m_pCurrentEntry;
    };

    // A count cut off without a dump says nothing of what is left: the
    // stored inventory stays as it was.
    auto setInventory = [&](cParam* rec, const QString& value) {
        if (!m_bCountCutOff) {
            rec->m_strInventory = value;
            doc.m_inventory.Set(id, value);
        }
    };

    if (m_bTotalizeMode) {
        cParam* rec = add(last, packNo, comment);
        setInventory(rec, last);
        rec->m_strTotalQuantity = last;
    } else if (m_bBatchMode && m_bClosingSample && m_strPackageNo == "1") {
        // Closed during the row's first packet: the seeds counted so far,
        // added to the rows of the series already finished.
        cParam* rec = add(last, "1", "InComplete");
        m_nDumpTotal += WToI(last);
        rec->m_strTotalQuantity = QString::number(m_nDumpTotal);
        setInventory(rec, "0");
        // The series is closed: its total must not carry into the next one.
        m_nDumpTotal = 0;
    } else if (m_bBatchMode && m_bClosingSample) {
        const int finished = WToI(m_strPackageNo) - 1;
        add(numP, QString::number(finished), comment);
        m_nDumpTotal += finished * WToI(numP);
        cParam* rec = add(last, "1", "InComplete");
        m_nDumpTotal += WToI(last);
        rec->m_strTotalQuantity = QString::number(m_nDumpTotal);
        setInventory(rec, "0");
        m_nDumpTotal = 0;
    } else if (m_bBatchMode) {
        // A finished row: inventory and total come with the dump.
        m_nDumpTotal += WToI(packNo) * WToI(numP);
        add(numP, packNo, comment);
    } else {
        return;
    }
    if (doc.OnRecordsChanged) {
        doc.OnRecordsChanged();
    }
}

void Cvyn8_rk47View::MarkIncomplete() {
    m_strBatchNo = m_editBatchNo->text();
    m_strCount = m_editCount->text();
    m_strPackageNo = m_editPackageNo->text();
    if (CurrentRow(*this) < 0) {
        return;
    }
    // The rows of the series after the current one were never counted.
    while (m_nCurPacket < m_nSampleRowCount - 1) {
        m_model->DeleteRow(m_nSampleRows[static_cast<size_t>(m_nSampleRowCount - 1)]);
        --m_nRowCount;
        --m_nSampleRowCount;
        --m_nTotalPackets;
    }
    const int c = m_nSampleRows[static_cast<size_t>(m_nSampleRowCount - 1)];
    if (m_strPackageNo == "1") {
        m_model->SetCell(c, SampleListModel::PackNo, m_strPackageNo);
        m_model->SetCell(c, SampleListModel::NumP, m_strCount);
        m_model->SetCell(c, SampleListModel::Comment, "InComplete");
        return;
    }
    m_model->SetCell(c, SampleListModel::PackNo, QString::number(WToI(m_strPackageNo) - 1));
    // The unfinished packet gets a row of its own, counted, after the list.
    const int row = AppendListRow();
    for (int col : {SampleListModel::Id, SampleListModel::Seed, SampleListModel::Location}) {
        m_model->SetCell(row, col, m_model->Cell(c, col));
    }
    m_model->SetCell(row, SampleListModel::PackNo, "1");
    m_model->SetCell(row, SampleListModel::NumP, m_strCount);
    m_model->SetCell(row, SampleListModel::Comment, "incomplete");
    m_model->SetState(row, SampleListModel::Counted);
    ++m_nRowCount;
}

void Cvyn8_rk47View::ShowSampleReady() {
    if (m_pSampleReadyDlg) {
        return;
    }
    auto* notice = new Sample35(this);
    m_pSampleReadyDlg = notice;
    notice->OpenNotice([this, notice](int) {
        if (m_pSampleReadyDlg == notice) {
            m_pSampleReadyDlg = nullptr;
        }
    });
}
