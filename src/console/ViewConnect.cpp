// Connect, Disconnect, the end of a link and the link's part of the shut-down.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"
#include "link/CounterFrames.h"
#include "link/ReceiveLoop.h"
#include "link/cSerialCom.h"
#include "platform/Prompter.h"

namespace {

const char* const kCheckLine = "Please Check COM number & ensure serial line connection is ok !";

// Connecting clears the records: ask first when they were never saved.
bool MayDiscardRecords(const Cvyn8_rk47Doc& doc) {
    if (!doc.HoldsUnsavedWork()) {
        return true;
    }
    return Prompt(
               "The records of this run have not been saved. Connecting clears them.\n"
               "Clear them anyway?",
               kAppTitle, PromptIcon::Question, PromptButtons::YesNo) == IDYES;
}

}  // namespace

void Cvyn8_rk47View::OnConnect() {
    if (!MayDiscardRecords(*m_pDoc)) {
        return;
    }
    if (m_pSerial) {
        // The counter ended the last link itself and left the port open.
        const int shook = m_pSerial->Handshake();
        ReportLinkErrors(m_pSerial);
        if (!shook) {
            Prompt(kCheckLine, "Init Comm Port Error", PromptIcon::Error);
            ReleaseChannel();
            return;
        }
    } else {
        m_pSerial = new cSerialCom;
        const int opened = m_pSerial->Open(m_strComPort, m_strBaud);
        ReportLinkErrors(m_pSerial);
        if (!opened) {
            Prompt(kCheckLine, "Init Comm Port Error", PromptIcon::Error);
            ReleaseChannel();
            return;
        }
        const int timeoutsSet = m_pSerial->SetTimeouts();
        ReportLinkErrors(m_pSerial);
        if (!timeoutsSet) {
            PromptError("Set Timeout Error");
            ReleaseChannel();
            return;
        }
    }

    // Connected and idle: the next sample sends its program frame.
    m_nLinkState = LINK_CONNECTED;
    m_nRunState = RUN_IDLE;
    LockLinkSettings();
    m_btnConnect->setEnabled(false);
    m_btnDisconnect->setEnabled(true);
    m_model->DeleteAll();
    m_pDoc->DiscardRecords();
    m_pCurrentEntry = nullptr;
    m_bManualList = 1;
    m_nCurPacket = 0;
    m_nRowCount = 0;
    m_bClosingSample = 0;
    m_nSampleRowCount = 0;
    // A new link starts a new series: nothing of the last one carries over.
    m_nDumpTotal = 0;
    m_dumpPending = {};
    LockRun();
    UnlockSelection();
    ClearIdEntry();
    m_btnDump->setEnabled(true);
    StartReceiveLoop();
}

void Cvyn8_rk47View::OnDisconnect() {
    if (!MayEndCount("Disconnecting")) {
        return;
    }
    CloseCutOffSample();
    if (m_pSerial && SendToCounter(frames::Command("Disconnect"), FrameSender::Disconnect) ==
                         SendResult::Failed) {
        ReleaseChannel();
        return;
    }
    m_nLinkState = LINK_DOWN;
    UnlockLinkSettings();
    CheckModeRadio(IDC_TOTALIZE);
    m_bTotalizeMode = true;
    m_bBatchMode = false;
    LockSelection();
    LockRun();
    StopReceiveLoop();
    if (m_pSerial && !m_pSerial->Close()) {
        // The channel stays; the next Connect only repeats the handshake.
        PromptError("Please Exit!!!");
        return;
    }
    delete m_pSerial;
    m_pSerial = nullptr;
    m_editFeedSpeed->setEnabled(false);
    m_btnConnect->setEnabled(true);
    m_btnDisconnect->setEnabled(false);
    m_nRunState = RUN_IDLE;
}

void Cvyn8_rk47View::ShowDisconnected() {
    CloseNotices();  // nothing they wait for can come now
    m_nRunState = RUN_IDLE;
    m_nLinkState = LINK_DOWN;
    // As at start-up: only the port choice, Connect and the feed speed.
    UnlockLinkSettings();
    LockSelection();
    LockRun();
    m_editFeedSpeed->setEnabled(true);
    m_btnConnect->setEnabled(true);
    m_btnDisconnect->setEnabled(false);
}

void Cvyn8_rk47View::CloseNotices() {
    for (CNoticeDlg* notice :
         {static_cast<CNoticeDlg*>(m_pDumpDlg), static_cast<CNoticeDlg*>(m_pSampleReadyDlg)}) {
        if (notice) {
            QObject::disconnect(notice, &QDialog::finished, nullptr, nullptr);
            notice->CloseNotice();
            notice->deleteLater();
        }
    }
    m_pDumpDlg = nullptr;
    m_pSampleReadyDlg = nullptr;
}

SendResult Cvyn8_rk47View::SendToCounter(const QByteArray& frame, FrameSender sender) {
    if (!LinkLive()) {
        PromptError("The counter is not connected: nothing was sent. Press Connect first.");
        return SendResult::Failed;
    }
    const SendResult sent = SendAndReport(m_pSerial, frame, sender);
    if (sent == SendResult::Failed) {
        // A frame that cannot be written: the line is gone.
        OnLineLost("a command could not be written");
    }
    return sent;
}

void Cvyn8_rk47View::ReleaseChannel() {
    StopReceiveLoop();
    if (m_pSerial) {
        m_pSerial->Close();
        delete m_pSerial;
        m_pSerial = nullptr;
    }
    // Without a channel the link is down: Connect makes a new one.
    m_nLinkState = LINK_DOWN;
    m_grpConnectSet->setEnabled(true);
    m_comboCom->setEnabled(true);
    m_btnConnect->setEnabled(true);
    m_btnDisconnect->setEnabled(false);
}

void Cvyn8_rk47View::StartReceiveLoop() {
    StopReceiveLoop();
    const unsigned session = m_nLinkSession;
    ReceiveLoop::Handlers handlers;
    handlers.frames = [this, session](const std::vector<QByteArray>& frames) {
        if (session == m_nLinkSession) {
            DeliverFrames(frames);
        }
    };
    handlers.lineLost = [this, session](const QString& reason) {
        if (session == m_nLinkSession) {
            OnLineLost(reason);
        }
    };
    m_pRxThread = new ReceiveLoop(m_pSerial->fd(), this, std::move(handlers));
    if (!m_pRxThread->Start()) {
        PromptError("The counter's messages cannot be received: the receive loop did not start.");
        ReleaseChannel();
        ShowDisconnected();
    }
}

void Cvyn8_rk47View::StopReceiveLoop() {
    // Calls the old loop queued before it stopped are dropped from here on.
    ++m_nLinkSession;
    m_pendingFrames.clear();
    if (m_pRxThread) {
        m_pRxThread->Stop();
        delete m_pRxThread;
        m_pRxThread = nullptr;
    }
}

void Cvyn8_rk47View::OnLineLost(const QString& reason) {
    if (!m_pSerial) {
        return;
    }
    ReleaseChannel();
    // A sample cut off mid-count is closed as Done would close it, so its
    // count is kept in the records; its stored inventory stays as it was.
    CloseCutOffSample();
    ShowDisconnected();
    PromptError(QString("The link to the counter was lost: %1.\n"
                        "Everything counted so far is kept. Check the cable and press Connect.")
                    .arg(reason));
}

void Cvyn8_rk47View::ShutdownLink() {
    if (LinkLive()) {
        // Straight to the line: a failure here is reported, the shut-down goes on.
        SendAndReport(m_pSerial, frames::Command("Disconnect"), FrameSender::Disconnect);
    }
    m_nLinkState = LINK_DOWN;
    ReleaseChannel();
    // A notice still open must not call back into a view going away.
    CloseNotices();
}
