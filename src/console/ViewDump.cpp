// Dump: the button, the automatic dump, the counter's "Empty" and "Dump", and
// the figures the dump leaves on the sample's record.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"
#include "link/CounterFrames.h"

namespace {
bool NoSampleInProgress(int runState) {
    return runState == RUN_DUMPED || runState == RUN_CLOSING || runState == RUN_IDLE;
}
}  // namespace

void Cvyn8_rk47View::OnDump() {
    if (m_pDumpDlg) {
        return;  // a dump is already waiting for the counter
    }
    const QByteArray frame = frames::Command("Dump");
    const bool sampleInProgress = !NoSampleInProgress(m_nRunState);
    if (!sampleInProgress) {
        if (SendToCounter(frame, FrameSender::Dump) == SendResult::Failed) {
            return;  // no notice waits for a dump that was never asked for
        }
        if (!m_dumpPending.active) {
            BeginPendingDump(false);
        }
        m_nRunState = RUN_DUMPED;
    } else {
        if (m_bTotalizeMode) {
            m_nDrawMode = 1;
            m_model->SetCell(SampleRow(0), SampleListModel::NumP, m_editCount->text());
            RedrawMarkedRow();
        }
        m_listSamples->setEnabled(false);
        if (SendToCounter(frame, FrameSender::Dump) == SendResult::Failed) {
            return;
        }
        BeginPendingDump(true);
        m_btnDump->setEnabled(false);
        LockRun();
    }
    // The notice waits for the counter's "Dump" without blocking the event
    // loop; the rest of the dump runs when it closes.
    auto* notice = new DumDlg35(this);
    m_pDumpDlg = notice;
    notice->OpenNotice([this, notice, sampleInProgress](int result) {
        if (m_pDumpDlg == notice) {
            m_pDumpDlg = nullptr;
        }
        FinishDump(result, sampleInProgress);
    });
}

void Cvyn8_rk47View::FinishDump(int result, bool sampleInProgress) {
    if (!sampleInProgress) {
        m_nDumpResult = result;
        ClearIdEntry();
        return;
    }
    m_nRunState = RUN_DUMPED;
    m_btnDump->setEnabled(true);
    m_bAutoDumpArmed = 0;
    if (m_bManualList) {
        CheckModeRadio(m_bTotalizeMode ? IDC_TOTALIZE : IDC_BATCH);
        m_strBatchNo = "1";
        UnlockSelection();
        PrepareNextBatchEntry();
    } else {
        m_btnStop->show();
        m_btnRepeat->setEnabled(false);
        m_btnRepeat->hide();
        m_btnDelete->setEnabled(false);
        m_nPacketsDone += m_nSampleRowCount;
        if (LoadedListDone()) {
            m_grpCountMode->setEnabled(true);
            CheckModeRadio(IDC_TOTALIZE);
            UnlockSelection();
            m_bOptAutoDump = 1;
            m_bOptSampleReadyDialog = 1;
            EndLoadedList();
        } else {
            for (QWidget* w :
                 std::initializer_list<QWidget*>{m_grpCountMode, m_radioTotalize, m_radioBatch}) {
                w->setEnabled(false);
            }
            m_nSampleRowCount = LoadedWindow();
            m_listSamples->setEnabled(true);
        }
        HideSameAsPrevious();
    }
    ClearIdEntry();
}

void Cvyn8_rk47View::PrepareNextBatchEntry() {
    if (m_bBatchMode) {
        m_btnStop->show();
        m_btnRepeat->hide();
        m_btnRepeat->setEnabled(false);
        m_btnDelete->setEnabled(false);
        m_btnDone->setEnabled(false);
        ShowSameAsPrevious();
        m_chkSameAsPrevious->setChecked(true);
    }
    m_btnLoadFile->setEnabled(true);
    m_nSampleRowCount = 0;
}

void Cvyn8_rk47View::EndLoadedList() {
    m_bTotalizeMode = true;
    m_bBatchMode = false;
    m_bManualList = 1;
    m_nSampleRowCount = 0;
    m_nCurPacket = 0;
    m_nPacketsDone = 0;
    m_btnLoadFile->setEnabled(true);
}

void Cvyn8_rk47View::StartAutoDumpIfArmed() {
    if (m_bAutoDumpArmed != 1) {
        return;
    }
    // Run as its own step on the UI thread, after the frame that armed it.
    const unsigned session = m_nLinkSession;
    QMetaObject::invokeMethod(
        this,
        [this, session] {
            if (session == m_nLinkSession) {
                OnDump();
            }
        },
        Qt::QueuedConnection);
}

void Cvyn8_rk47View::OnCounterEmpty() {
    if (m_pSampleReadyDlg && m_bOptSampleReadyDialog) {
        m_pSampleReadyDlg->CloseNotice();
    }
    // An armed dump starts whether or not the operator has closed the notice
    // already; it starts once.
    StartAutoDumpIfArmed();
    m_bAutoDumpArmed = 0;
}

void Cvyn8_rk47View::OnCounterDump() {
    m_editPackageNo->setText("0");
    m_editBatchNo->setText("Dump");
    if (m_dumpPending.active || m_pDumpDlg) {
        // The answer to the console's Dump, its notice open or closed already.
        WritePendingDumpFigures();
        if (m_pDumpDlg) {
            m_pDumpDlg->CloseNotice();  // the dump carries on as the notice closes
        }
        ReturnToIdEntry();
        return;
    }
    // The counter dumped on its own.
    m_strBatchNo = "1";
    UnlockSelection();
    LockRun();
    m_btnDump->setEnabled(true);
    if (NoSampleInProgress(m_nRunState)) {
        ReturnToIdEntry();
        return;
    }
    if (m_bTotalizeMode) {
        // A Totalize Count sample dumped by the counter: closed with its record
        // and inventory, as the console's own dump closes it.
        m_nDrawMode = 1;
        m_model->SetCell(SampleRow(0), SampleListModel::NumP, m_strLastCount);
        RedrawMarkedRow();
        BeginPendingDump(true);
        WritePendingDumpFigures();
    }
    m_nRunState = RUN_DUMPED;
    if (m_pCurrentEntry && !m_bTotalizeMode) {
        WriteDumpFigures(m_nCurPacket > 1);
    }
    if (!m_bManualList) {
        m_nPacketsDone += m_nSampleRowCount;
        if (LoadedListDone()) {
            UnlockSelection();
            EndLoadedList();
        } else {
            m_nSampleRowCount = LoadedWindow();
        }
        HideSameAsPrevious();
    } else {
        m_strBatchNo = "1";
        UnlockLinkSettings();
        PrepareNextBatchEntry();
    }
    ReturnToIdEntry();
}
