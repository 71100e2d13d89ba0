// The counter's messages: each complete frame from the receive loop, carried
// out on the user-interface thread in the order it arrived.

#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "link/cSerialCom.h"
#include "platform/NumText.h"

int Cvyn8_rk47View::SampleRow(int pos) const {
    return pos >= 0 && pos < kSampleRowTable ? m_nSampleRows[static_cast<size_t>(pos)] : -1;
}

void Cvyn8_rk47View::DeliverFrames(const std::vector<QByteArray>& frames) {
    m_pendingFrames.insert(m_pendingFrames.end(), frames.begin(), frames.end());
    if (m_bDeliveringFrames) {
        return;  // a message box of an earlier frame is open: the outer call goes on
    }
    m_bDeliveringFrames = true;
    if (m_pSerial) {
        m_pSerial->CheckLine();
        ReportLinkErrors(m_pSerial);  // a line error, with its message
    }
    while (!m_pendingFrames.empty()) {
        const QByteArray frame = std::move(m_pendingFrames.front());
        m_pendingFrames.pop_front();
        OnCounterFrame(frame);
    }
    m_bDeliveringFrames = false;
}

void Cvyn8_rk47View::OnCounterFrame(const QByteArray& frame) {
    const frames::CounterMessage message = frames::Decode(frame);
    if (message.kind == frames::CounterMessage::Count) {
        OnCountFrame(message.count, message.packNo);
    } else if (message.kind == frames::CounterMessage::Event) {
        OnCounterEvent(message.event);
    }
}

void Cvyn8_rk47View::OnCountFrame(const QString& count, const QString& packNo) {
    m_strLastCount = count;
    m_strLastCountCopy = count;
    m_strLastPackNo = packNo;
    m_editCount->setText(count);
    m_editPackageNo->setText(packNo);
}

void Cvyn8_rk47View::OnCounterEvent(const QString& name) {
    if (name == "Start") {
        OnCounterStart();
    } else if (name == "Stop") {
        OnCounterStop();
    } else if (name == "Empty" || name == "E") {
        OnCounterEmpty();
    } else if (name == "Full" || name == "F") {
        OnCounterFull();
    } else if (name == "Repeat") {
        OnCounterRepeat();
    } else if (name == "Reset") {
        // Closes the sample being counted. Once it has ended (Done, Reset, a
        // dump, or every row counted) nothing is recorded past its end, so a
        // late "Reset" changes nothing.
        if (SampleBeingCounted()) {
            CompleteSample();
        }
    } else if (name == "Dump") {
        OnCounterDump();
    } else if (name == "Disconnect") {
        OnCounterDisconnect();
    } else if (name == "BatchF" || name == "B") {
        OnCounterBatchF();
    }
}

void Cvyn8_rk47View::OnCounterStart() {
    m_nDrawMode = 3;
    m_nMarkPos = m_nCurPacket;
    RedrawMarkedRow();
    m_nRunState = RUN_COUNTING;
    m_btnStart->setEnabled(false);
    m_btnStop->setEnabled(true);
}

void Cvyn8_rk47View::OnCounterStop() {
    m_nRunState = RUN_STOPPED;
    m_btnStart->setEnabled(true);
    m_btnStop->setEnabled(false);
}

void Cvyn8_rk47View::OnCounterRepeat() {
    const int k = m_nCurPacket;
    // With no row counted there is nothing to repeat: a count started on
    // nothing would leave the next sample without its program frame.
    if (k <= 0) {
        return;
    }
    if (!AppendCopiesOfSample(k)) {
        return;
    }
    m_nDrawMode = 3;
    m_nMarkPos = m_nCurPacket;
    RedrawMarkedRow();
    m_nRunState = RUN_COUNTING;
    m_btnStart->setEnabled(false);
    m_btnRepeat->setEnabled(false);
    m_editBatchNo->setText("1");
}

void Cvyn8_rk47View::OnCounterBatchF() {
    const int p = m_nCurPacket;
    if (m_nSampleRowCount < p + 1) {
        return;
    }
    m_nDrawMode = 1;
    m_nMarkPos = p;
    RedrawMarkedRow();
    RecordPacket();
    if (m_nSampleRowCount > p + 1) {
        m_nCurPacket = p + 1;
        m_editBatchNo->clear();
        m_nMarkPos = m_nCurPacket;
        m_nDrawMode = 3;
        RedrawMarkedRow();
        m_strBatchNo = QString::number(m_nCurPacket + 1);
        m_editBatchNo->setText(m_strBatchNo);
        // The new row has counted nothing yet: its figures start afresh, so
        // that closing it now records what the counter reported for it.
        m_strLastCount = "0";
        m_editCount->setText(m_strLastCount);
        m_editPackageNo->setText("1");
        m_listSamples->scrollTo(m_model->index(SampleRow(m_nCurPacket) + 1, 0));
        SendRowFeedSpeed(SampleRow(m_nCurPacket));
        return;
    }
    m_btnStop->setEnabled(false);
    m_btnRepeat->setEnabled(true);
    m_btnReset->setEnabled(false);
    m_btnDone->setEnabled(false);
    m_nCurPacket = p + 1;
    ArmAutoDump();
}

void Cvyn8_rk47View::ArmAutoDump() {
    if (m_bOptAutoDump) {
        m_bAutoDumpArmed = 1;
    }
}

void Cvyn8_rk47View::OnCounterFull() {
    if (!m_pSampleReadyDlg && m_bOptSampleReadyDialog) {
        ShowSampleReady();
    }
}

void Cvyn8_rk47View::OnCounterDisconnect() {
    // The port stays open and the channel kept: Connect repeats only the
    // handshake on it.
    CloseCutOffSample();
    ShowDisconnected();
    StopReceiveLoop();
}

void Cvyn8_rk47View::WriteDumpFigures(bool rowCondition) {
    cParam& entry = *m_pCurrentEntry;
    entry.m_strInventory = m_strLastCount;
    m_nDumpTotal += WToI(m_strLastCount);
    const QString total = QString::number(m_nDumpTotal);
    entry.m_strTotalQuantity = total;
    m_nDumpTotal = 0;
    m_pDoc->m_inventory.Set(entry.m_strIdBarcode, m_strLastCount);
    if (rowCondition) {
        const int row = SampleRow(m_nCurPacket - 1);
        m_model->SetCell(row, SampleListModel::Inventory, m_strLastCount);
        m_model->SetCell(row, SampleListModel::Sum, total);
    }
    KeepUnsavedWorkSafe();
}

void Cvyn8_rk47View::ReturnToIdEntry() {
    m_bAutoDumpArmed = 0;
    QWidget* top = window();
    top->raise();
    top->activateWindow();
    QCursor::setPos(m_editID->mapToGlobal(m_editID->rect().center()));
    ClearIdEntry();
}
