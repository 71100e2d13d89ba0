// Closing a sample (Done, Reset, the counter's "Reset"), the rows that go with
// it, and keeping unsaved results on disk as they change.

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/RecordFile.h"
#include "platform/Prompter.h"

void Cvyn8_rk47View::CompleteSample() {
    m_nRunState = RUN_CLOSING;
    m_bClosingSample = 1;
    LockRun();
    UnlockSelection();
    RecordPacket();
    if (m_bBatchMode) {
        MarkIncomplete();
    }
    m_btnDump->setEnabled(true);
    if (m_bTotalizeMode) {
        CheckModeRadio(IDC_TOTALIZE);
        const int row = SampleRow(m_nMarkPos);
        m_model->SetCell(row, SampleListModel::PackNo, "0");
        m_model->SetCell(row, SampleListModel::Inventory,
                         m_bCountCutOff ? QString() : m_strLastCount);
        m_model->SetCell(row, SampleListModel::Sum, m_strLastCount);
        m_model->SetState(SampleRow(0), SampleListModel::Counted);
        m_nDrawMode = 1;
        m_nMarkPos = m_nCurPacket;
        RedrawMarkedRow();
        m_btnLoadFile->setEnabled(true);
        ClearIdEntry();
        m_nCurPacket = 0;
        m_nSampleRowCount = 0;
        m_nTotalPackets = 0;
        m_nMarkPos = 0;
        m_strBatchNo.clear();
    } else {
        CheckModeRadio(IDC_BATCH);
        m_nMarkPos = m_nCurPacket;
        m_nDrawMode = 1;
        RedrawMarkedRow();
    }
    if (m_bManualList) {
        m_nSampleRowCount = 0;
        m_btnLoadFile->setEnabled(true);
    } else {
        m_nPacketsDone += m_nSampleRowCount;
        if (LoadedListDone()) {
            m_grpCountMode->setEnabled(true);
            CheckModeRadio(IDC_TOTALIZE);
            UnlockSelection();
            EndLoadedList();
        } else {
            // The list stays loaded: its other IDs are still to be scanned.
            m_nSampleRowCount = LoadedWindow();
        }
    }
    m_nCurPacket = 0;
    m_strBatchNo.clear();
    ClearIdEntry();
    m_bClosingSample = 0;
}

void Cvyn8_rk47View::DiscardUncountedRows() {
    // The current row and those after it; a loaded list keeps its other rows
    // and stays loaded while any of them is left to count.
    DeleteSampleRows(m_nCurPacket);
    if (!m_bManualList && LoadedListDone()) {
        EndLoadedList();
    }
    m_nSampleRowCount = 0;
    m_nCurPacket = 0;
}

void Cvyn8_rk47View::DeleteLastListRows(int n) {
    for (int i = 0; i < n && m_nRowCount > 0; ++i) {
        DeleteLastListRow();
    }
}

bool Cvyn8_rk47View::AppendCopiesOfSample(int k) {
    k = std::clamp(k, 0, kMaxSampleRows);
    if (m_nRowCount + k > kMaxListRows) {
        Prompt(QString("The sample list is full: it holds at most %1 rows. "
                       "Save the records and start a new list.")
                   .arg(kMaxListRows),
               kAppTitle, PromptIcon::Warning);
        return false;
    }
    m_nCurPacket = 0;
    m_nSampleRowCount = 0;
    for (int i = 0; i < k; ++i) {
        const int from = SampleRow(i);
        const int row = AppendListRow();
        for (int c = SampleListModel::Id; c <= SampleListModel::Comment; ++c) {
            m_model->SetCell(row, c, m_model->Cell(from, c));
        }
        ++m_nSampleRowCount;
        ++m_nRowCount;
    }
    FillRowStates();
    return true;
}

void Cvyn8_rk47View::KeepUnsavedWorkSafe() {
    QStringList failures;
    QString path;
    QString error;
    if (!WriteUnsavedRecords(&path, &error)) {
        failures << QString("%1 (%2)").arg(path, error);
    }
    if (!WriteInventoryBack(&path, &error)) {
        failures << QString("%1 (%2)").arg(path, error);
    }
    // One message per run of failures, not one per record.
    if (!failures.isEmpty() && !m_bSafeKeepFailed) {
        Prompt("Could not keep the counts of this run safe on disk: " + failures.join(", ") +
                   ".\nSave the records before closing the program.",
               kAppTitle, PromptIcon::Error);
    }
    m_bSafeKeepFailed = !failures.isEmpty();
}
