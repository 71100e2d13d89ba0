// Count mode buttons and the run buttons Start, Stop, Zero, Repeat, Done and
// Reset (Dump has a file of its own).

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "platform/NumText.h"
#include "platform/Prompter.h"

void Cvyn8_rk47View::OnTotalizeCount() {
    if (m_btnStop->isHidden()) {
        m_btnStop->show();
    }
    m_btnRepeat->setEnabled(false);
    m_btnRepeat->hide();
    m_editID->setEnabled(IdEntryOpen());
    if (m_bTotalizeMode) {
        ClearIdEntry();
        return;
    }
    DeleteLastListRows(m_nSampleRowCount);
    m_bTotalizeMode = true;
    m_bBatchMode = false;
    m_nCurPacket = 0;
    m_nSampleRowCount = 0;
    HideSameAsPrevious();
    m_strBatchNo.clear();
    m_btnDelete->setEnabled(false);
    m_listSamples->setEnabled(true);
    m_nDrawMode = 3;
    ClearIdEntry();
}

void Cvyn8_rk47View::OnBatchCount() {
    m_btnStop->hide();
    if (m_bBatchMode) {
        ClearIdEntry();
        return;
    }
    DeleteLastListRows(m_nSampleRowCount);
    m_nSampleRowCount = 0;
    m_nCurPacket = 0;
    HideSameAsPrevious();
    m_bBatchMode = true;
    m_bTotalizeMode = false;
    m_btnDelete->setEnabled(false);
    m_editPackageNo->setText("1");
    m_strBatchNo = "1";
    m_nDrawMode = 0;
    ClearIdEntry();
}

void Cvyn8_rk47View::OnStart() {
    Cvyn8_rk47Doc& doc = *m_pDoc;
    if (doc.m_nOpenState == RECORDS_OPENED) {
        doc.DiscardRecords();
        m_pCurrentEntry = nullptr;
        doc.m_nOpenState = RECORDS_NOT_OPENED;
    }
    if (!m_bTotalizeMode && !m_bBatchMode) {
        Prompt("Please select count mode", "Warnning", PromptIcon::Warning);
        return;
    }
    if (m_bBatchMode && m_nSampleRowCount == 0) {
        Prompt("Please enter package number and count number in each package", "Warnning",
               PromptIcon::Warning);
        return;
    }
    if (m_nRunState == RUN_DUMPED || m_nRunState == RUN_CLOSING || m_nRunState == RUN_IDLE) {
        // A new sample counts from 0; a stopped one keeps what it has counted
        // until the counter reports more.
        m_strLastCount = "0";
        m_editCount->setText("0");
        if (m_nSampleRowCount == 0) {
            Prompt("Please select count mode");
            return;
        }
        // A new sample: its dump figures must never land on the last one's
        // record, nor the last series' running total in its own.
        m_pCurrentEntry = nullptr;
        m_nDumpTotal = 0;
        frames::ProgramFrameArgs args;
        m_szSeedName = doc.m_seedNames.value(m_nSeedIndex).left(19);
        m_strFeedSpeed = m_editFeedSpeed->text();
        m_szGateHor = m_strGateHor.left(9);
        m_szGateVer = m_strGateVer.left(9);
        m_szSensitivity = m_strSensitivity.left(9);
        args.seedName = m_szSeedName;
        args.rowsToCount = m_nSampleRowCount - m_nCurPacket;
        for (int j = 0; j < std::min(m_nSampleRowCount, kMaxSampleRows); ++j) {
            const int row = SampleRow(j);
            const QString numP = m_model->Cell(row, SampleListModel::NumP);
            const QString packs = m_model->Cell(row, SampleListModel::PackNo);
            args.rows.push_back({numP, packs});
            m_nRowPackets[static_cast<size_t>(j)] = WToI(packs);
            m_nRowSeedsPerPacket[static_cast<size_t>(j)] = WToI(numP);
        }
        args.gateHor = m_szGateHor;
        args.gateVer = m_szGateVer;
        args.sensitivity = m_szSensitivity;
        args.feedSpeed = m_strFeedSpeed;
        if (SendToCounter(frames::Program(args), FrameSender::Program) == SendResult::Failed) {
            ReleaseChannel();
            return;
        }
        m_editBatchNo->setText(m_strBatchNo);
        LockSelection();
        UnlockRun();
        if (m_bBatchMode) {
            m_btnRepeat->setEnabled(false);
            m_strBatchNo = QString::number(m_nCurPacket + 1);
            m_editBatchNo->setText(m_strBatchNo);
            m_btnStop->hide();
            m_editPackageNo->setText("1");
            SendRowFeedSpeed(SampleRow(0));
            if (!LinkLive()) {
                return;  // the speed could not be written: the link has ended
            }
        } else {
            m_editPackageNo->setText("0");
        }
        m_spinFeedSpeed->setEnabled(true);
        m_listSamples->setEnabled(true);
        m_btnLoadFile->setEnabled(false);
        m_editCount->setText("0");
    } else if (SendToCounter(frames::Command("Start"), FrameSender::Start) == SendResult::Failed) {
        return;  // the link has ended: the console is disconnected and idle
    }

    m_nRunState = RUN_COUNTING;
    m_btnStart->setEnabled(false);
    m_btnStop->setEnabled(true);
    ClearIdEntry();  // closed until the sample is
    m_nDrawMode = 3;
    m_nMarkPos = m_nCurPacket;
    RedrawMarkedRow();
}

void Cvyn8_rk47View::OnStop() {
    if (SendToCounter(frames::Command("Stop"), FrameSender::Stop) == SendResult::Failed) {
        ReleaseChannel();
        return;
    }
    m_nRunState = RUN_STOPPED;
    m_btnStart->setEnabled(true);
    m_btnStop->setEnabled(false);
}

void Cvyn8_rk47View::OnZero() {
    if (SendToCounter(frames::Command("Zero"), FrameSender::Zero) == SendResult::Failed) {
        LockRun();
        ReleaseChannel();
        return;
    }
    m_nRunState = RUN_ZEROED;
}

bool Cvyn8_rk47View::SendRunCommand(const QString& text, FrameSender sender) {
    if (SendToCounter(frames::Command(text), sender) == SendResult::Failed) {
        ReleaseChannel();
        return false;
    }
    return true;
}

void Cvyn8_rk47View::OnRepeat() {
    if (!SendRunCommand("Recycle", FrameSender::Recycle)) {
        return;
    }
    if (m_bBatchMode) {
        m_nDrawMode = 0;
        if (!AppendCopiesOfSample(m_nCurPacket)) {
            return;
        }
        m_nRunState = RUN_COUNTING;
        m_btnRepeat->setEnabled(false);
        m_editCount->setText("0");
        m_editPackageNo->setText("1");
        m_editBatchNo->setText("1");
        m_btnDone->setEnabled(true);
    } else {
        FillRowStates();
    }
    m_nDrawMode = 3;
    m_nMarkPos = m_nCurPacket;
    RedrawMarkedRow();
    m_listSamples->scrollTo(m_model->index(m_nRowCount - 1, 0));
}

void Cvyn8_rk47View::OnDone() {
    if (SendRunCommand("Reset", FrameSender::Done)) {
        CompleteSample();
    }
}

void Cvyn8_rk47View::OnReset() {
    if (!SendRunCommand("Reset", FrameSender::Reset)) {
        return;
    }
    m_nRunState = RUN_CLOSING;
    LockRun();
    UnlockSelection();
    m_btnDump->setEnabled(true);
    m_editCount->setText("0");
    m_editPackageNo->setText("0");
    DiscardUncountedRows();
    // The series ends here: its running total must not reach the next one.
    m_nDumpTotal = 0;
    CheckModeRadio(IDC_TOTALIZE);
    // The Repeat button keeps its caption "Repeat".
    m_bBatchMode = false;
    m_bTotalizeMode = true;
    m_strBatchNo.clear();
    m_btnLoadFile->setEnabled(true);
    m_nSampleRowCount = 0;
    ClearIdEntry();
}
