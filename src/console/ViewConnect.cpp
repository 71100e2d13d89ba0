// Connect, Disconnect, the serial channel and its receive loop, and the
// link's part of the shut-down.

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "data/Cvyn8_rk47Doc.h"
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
    m_port = std::make_unique<ReportingPort>(m_pSerial);
    m_session->LinkEstablished(m_port.get());
    StartReceiveLoop();
}

void Cvyn8_rk47View::OnDisconnect() {
    if (!MayEndCount("Disconnecting")) {
        return;
    }
    if (!m_session->Disconnect()) {
        return;  // the Disconnect could not be written: the link has ended
    }
    StopReceiveLoop();
    if (m_pSerial && !m_pSerial->Close()) {
        // The channel stays; the next Connect only repeats the handshake.
        PromptError("Please Exit!!!");
        return;
    }
    m_session->Disconnected();
    m_port.reset();
    delete m_pSerial;
    m_pSerial = nullptr;
}

void Cvyn8_rk47View::ReleaseChannel() {
    StopReceiveLoop();
    m_session->PortReleased();
    m_port.reset();
    if (m_pSerial) {
        m_pSerial->Close();
        delete m_pSerial;
        m_pSerial = nullptr;
    }
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
        m_session->LinkFailed();
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
        m_session->CounterMessage(frames::Decode(frame));
    }
    m_bDeliveringFrames = false;
}

void Cvyn8_rk47View::OnLineLost(const QString& reason) {
    if (!m_pSerial) {
        return;
    }
    m_session->LineLost(reason);
}

void Cvyn8_rk47View::ShutdownLink() {
    if (m_session->LinkLive()) {
        // Straight to the line: a failure here is reported, the shut-down goes on.
        SendAndReport(m_pSerial, frames::Command("Disconnect"), FrameSender::Disconnect);
    }
    m_session->LinkClosed();
    ReleaseChannel();
}
