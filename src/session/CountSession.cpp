// The count session: construction, the link, the frames it sends and the
// operations that switch groups of the form's controls on and off.

#include "session/CountSession.h"

#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "link/CounterPort.h"
#include "link/SendFrame.h"
#include "platform/NumText.h"
#include "session/SessionStep.h"

CountSession::CountSession(Cvyn8_rk47Doc* doc, QObject* parent) : QObject(parent), m_doc(doc) {
    // The Display group is hidden until a count needs it.
    m_form.displayGroup.visible = false;
}

CountSession::~CountSession() = default;

void CountSession::StartUp() {
    SessionStep step(this);
    CheckMode(CountMode::Totalize);
    m_mode = CountMode::Totalize;
    ShowSeedSet(0);
    m_form.spinPos = WToI(m_doc->m_feedSpeeds.value(0));
    ++m_form.spinSerial;
    m_feedSpeed = WToI(m_feedSpeedText);
    LockRun();
    LockSelection();
    m_form.connectGroup.enabled = true;
    m_form.com.enabled = true;
    for (FormControl* c : {&m_form.baud, &m_form.loadFile, &m_form.disconnect, &m_form.spin,
                           &m_form.gateHor, &m_form.gateVer, &m_form.sensitivity, &m_form.del}) {
        c->enabled = false;
    }
    m_form.connect.enabled = true;
    m_form.feedSpeed.enabled = true;
    m_rows.Clear();
    m_sampleRowCount = 0;
    m_batchNo.clear();
    m_curPacket = 0;
    m_closingSample = false;
}

// ---- the link ----

bool CountSession::LinkLive() const {
    return m_port != nullptr && m_linkUp;
}

bool CountSession::SampleRunning() const {
    return m_run == RunState::Counting || m_run == RunState::Zeroed || m_run == RunState::Stopped;
}

bool CountSession::IdEntryOpen() const {
    return LinkLive() && !SampleRunning();
}

void CountSession::LinkEstablished(CounterPort* port) {
    SessionStep step(this);
    m_port = port;
    m_linkUp = true;
    m_run = RunState::Idle;
    LockLinkSettings();
    m_form.connect.enabled = false;
    m_form.disconnect.enabled = true;
    m_rows.Clear();
    m_doc->DiscardRecords();
    m_currentRecord = {};
    m_manualList = true;
    m_curPacket = 0;
    m_closingSample = false;
    m_sampleRowCount = 0;
    // A new link starts a new series: nothing of the last one carries over.
    m_dumpTotal = 0;
    m_dumpPending = {};
    m_programmed = false;
    LockRun();
    UnlockSelection();
    ClearIdEntry();
    m_form.dump.enabled = true;
}

bool CountSession::Disconnect() {
    SessionStep step(this);
    CloseCutOffSample();
    if (m_port && SendToCounter(frames::Command("Disconnect"), FrameSender::Disconnect) ==
                      SendResult::Failed) {
        return false;
    }
    m_linkUp = false;
    UnlockLinkSettings();
    CheckMode(CountMode::Totalize);
    m_mode = CountMode::Totalize;
    LockSelection();
    LockRun();
    return true;
}

void CountSession::Disconnected() {
    SessionStep step(this);
    m_port = nullptr;
    m_form.feedSpeed.enabled = false;
    m_form.connect.enabled = true;
    m_form.disconnect.enabled = false;
    m_run = RunState::Idle;
}

void CountSession::PortReleased() {
    SessionStep step(this);
    m_port = nullptr;
    ++m_linkGeneration;
    // Without a channel the link is down: Connect makes a new one.
    m_linkUp = false;
    m_form.connectGroup.enabled = true;
    m_form.com.enabled = true;
    m_form.connect.enabled = true;
    m_form.disconnect.enabled = false;
}

void CountSession::LineLost(const QString& reason) {
    SessionStep step(this);
    emit releaseChannel();
    // A sample cut off mid-count is closed as Done would close it, so its
    // count is kept in the records; its stored inventory stays as it was.
    CloseCutOffSample();
    ShowDisconnected();
    Tell(QString("The link to the counter was lost: %1.\n"
                 "Everything counted so far is kept. Check the cable and press Connect.")
             .arg(reason),
         "Error", PromptIcon::Error);
}

void CountSession::Shutdown() {
    SessionStep step(this);
    // A count still running ends here: what was counted goes into the files.
    CloseCutOffSample();
}

void CountSession::LinkClosed() {
    SessionStep step(this);
    m_linkUp = false;
    ++m_linkGeneration;
    CloseNotices();
}

void CountSession::LinkFailed() {
    SessionStep step(this);
    ShowDisconnected();
}

void CountSession::ShowDisconnected() {
    CloseNotices();  // nothing they wait for can come now
    m_run = RunState::Idle;
    m_linkUp = false;
    m_programmed = false;
    ++m_linkGeneration;
    // As at start-up: only the port choice, Connect and the feed speed.
    UnlockLinkSettings();
    LockSelection();
    LockRun();
    m_form.feedSpeed.enabled = true;
    m_form.connect.enabled = true;
    m_form.disconnect.enabled = false;
}

void CountSession::CloseNotices() {
    const bool any = m_dumpNoticeOpen || m_sampleReadyShown;
    m_dumpNoticeOpen = false;
    m_sampleReadyShown = false;
    if (any) {
        emit dropNotices();
    }
}

// ---- frames ----

SendResult CountSession::SendToCounter(const QByteArray& frame, FrameSender sender) {
    if (!LinkLive()) {
        Tell("The counter is not connected: nothing was sent. Press Connect first.", "Error",
             PromptIcon::Error);
        return SendResult::Failed;
    }
    const SendResult sent = m_port->Send(frame, sender);
    if (sent == SendResult::Failed) {
        // A frame that cannot be written: the line is gone.
        LineLost("a command could not be written");
    }
    return sent;
}

bool CountSession::SendRunCommand(const QString& text, FrameSender sender) {
    return SendToCounter(frames::Command(text), sender) != SendResult::Failed;
}

void CountSession::SendRowFeedSpeed(int row) {
    const QString comment = m_rows.Cell(row, RowTable::Comment);
    if (comment.isEmpty() || WToI(comment) == 0) {
        RestoreFeedSpeed();
        return;
    }
    m_speedOverride = true;
    SendToCounter(frames::FeedSpeed(comment), FrameSender::FeedSpeed);
}

void CountSession::RestoreFeedSpeed() {
    if (!m_speedOverride) {
        return;
    }
    m_speedOverride = false;
    SendToCounter(frames::FeedSpeed(m_feedSpeedText), FrameSender::FeedSpeed);
}

void CountSession::Tell(const QString& text, const QString& caption, PromptIcon icon) {
    // The form shows the state so far before the message box opens.
    emit changed();
    emit message(PromptRequest{text, caption, icon, PromptButtons::Ok});
}

// ---- the form's groups of controls ----

void CountSession::LockLinkSettings() {
    m_form.connectGroup.enabled = false;
    m_form.com.enabled = false;
    m_form.baud.enabled = false;
    m_form.loadFile.enabled = true;
}

void CountSession::UnlockLinkSettings() {
    m_form.connectGroup.enabled = true;
    m_form.com.enabled = true;
    m_form.baud.enabled = false;
    m_form.loadFile.enabled = false;
}

void CountSession::LockSelection() {
    for (FormControl* c : {&m_form.countModeGroup, &m_form.name, &m_form.totalize, &m_form.batch,
                           &m_form.idEntry, &m_form.del, &m_form.list, &m_form.spin}) {
        c->enabled = false;
    }
    HideSameAsPrevious();
}

void CountSession::UnlockSelection() {
    for (FormControl* c : {&m_form.countModeGroup, &m_form.name, &m_form.batch, &m_form.totalize}) {
        c->enabled = true;
    }
    if (m_mode == CountMode::Batch) {
        ClearIdEntry();
        m_form.del.enabled = true;
        if (m_rows.Count() != 0) {
            ShowSameAsPrevious();
        }
    } else {
        m_form.idEntry.enabled = IdEntryOpen();
        m_form.del.enabled = false;
    }
    m_form.list.enabled = true;
    m_form.spin.enabled = true;
    m_form.feedSpeed.enabled = true;
}

void CountSession::UnlockRun() {
    m_form.displayGroup.enabled = true;
    if (m_mode == CountMode::Batch) {
        m_form.packageNo.enabled = true;
        m_form.stop.visible = true;
        if (!m_form.repeat.visible && !m_options.autoDump) {
            m_form.repeat.visible = true;
        }
    } else {
        m_form.packageNo.enabled = false;
        m_form.repeat.visible = false;
    }
    for (FormControl* c :
         {&m_form.count, &m_form.dump, &m_form.zero, &m_form.reset, &m_form.start, &m_form.done}) {
        c->enabled = true;
    }
}

void CountSession::LockRun() {
    for (FormControl* c :
         {&m_form.displayGroup, &m_form.count, &m_form.packageNo, &m_form.batchNo, &m_form.start}) {
        c->enabled = false;
    }
    m_form.stop.visible = true;
    m_form.stop.enabled = false;
    m_form.zero.enabled = false;
    m_form.dump.enabled = false;
    m_form.repeat.enabled = false;
    m_form.repeat.visible = false;
    m_form.reset.enabled = false;
    m_form.done.enabled = false;
}

void CountSession::ClearIdEntry() {
    ++m_form.idClearSerial;
    if (!IdEntryOpen()) {
        // Nothing may be entered now: the focus rests on the list, where a
        // scanner's keystrokes do nothing.
        m_form.idEntry.enabled = false;
        if (m_form.list.enabled) {
            m_form.focus = FocusTarget::List;
            ++m_form.focusSerial;
        }
        return;
    }
    m_form.idEntry.enabled = true;
    m_form.focus = FocusTarget::IdEntry;
    ++m_form.focusSerial;
}

void CountSession::HideSameAsPrevious() {
    m_form.sameAsPrevious = {false, false};
    m_form.sameAsPreviousChecked = false;
}

void CountSession::ShowSameAsPrevious() {
    m_form.sameAsPrevious = {true, true};
    m_form.sameAsPreviousChecked = false;
}

void CountSession::SetSameAsPrevious(bool checked) {
    m_form.sameAsPreviousChecked = checked;
}

void CountSession::CheckMode(CountMode mode) {
    m_form.totalizeChecked = mode == CountMode::Totalize;
    m_form.batchChecked = mode == CountMode::Batch;
}

void CountSession::ShowPackNo(const QString& text) {
    m_form.packageNoText.Set(text);
}

void CountSession::ShowCount(const QString& text) {
    m_form.countText.Set(text);
}

void CountSession::ShowBatchNo(const QString& text) {
    m_form.batchNoText.Set(text);
}
