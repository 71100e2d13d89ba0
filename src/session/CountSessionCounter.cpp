// The counter's messages, carried out in the order they arrived.

#include <QMetaObject>

#include "link/CounterFrames.h"
#include "session/CountSession.h"
#include "session/SessionStep.h"

namespace {
bool NoSampleInProgress(RunState run) {
    return run == RunState::Dumped || run == RunState::Closing || run == RunState::Idle;
}
}  // namespace

void CountSession::CounterMessage(const frames::CounterMessage& message) {
    SessionStep step(this);
    if (message.kind == frames::CounterMessage::Count) {
        OnCountFrame(message.count, message.packNo);
        return;
    }
    if (message.kind != frames::CounterMessage::Event) {
        return;
    }
    const QString& name = message.event;
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
            CompleteSample(false);
        }
    } else if (name == "Dump") {
        OnCounterDump();
    } else if (name == "Disconnect") {
        OnCounterDisconnect();
    } else if (name == "BatchF" || name == "B") {
        OnCounterBatchF();
    }
}

void CountSession::OnCountFrame(const QString& count, const QString& packNo) {
    m_frameCount = count;
    // While the answer to an earlier sample's dump is awaited, its dump
    // counts (packet 0) are not this sample's.
    const bool earlierDump = m_dumpPending.active && m_dumpPending.sample != m_sample;
    m_frameMovedSample = !(earlierDump && packNo == "0");
    if (!m_frameMovedSample) {
        return;
    }
    m_countBefore = m_lastCount;
    m_packNoBefore = m_lastPackNo;
    m_packetCountBefore = m_packetCount;
    m_packetNoBefore = m_packetNo;
    m_lastCount = count;
    m_lastPackNo = packNo;
    if (m_mode == CountMode::Batch && packNo != "0") {
        m_packetCount = count;
        m_packetNo = packNo;
    }
    ShowCount(count);
    ShowPackNo(packNo);
}

void CountSession::OnCounterStart() {
    // The counter's own Start resumes a programmed sample; with nothing
    // programmed there is nothing to count, and nothing changes.
    if (!m_programmed) {
        return;
    }
    MarkCurrent();
    m_run = RunState::Counting;
    m_form.start.enabled = false;
    m_form.stop.enabled = true;
}

void CountSession::OnCounterStop() {
    if (!m_programmed) {
        return;
    }
    m_run = RunState::Stopped;
    m_form.start.enabled = true;
    m_form.stop.enabled = false;
}

void CountSession::OnCounterRepeat() {
    const int k = m_curPacket;
    // With no row counted there is nothing to repeat: a count started on
    // nothing would leave the next sample without its program frame.
    if (k <= 0 || !m_programmed) {
        return;
    }
    if (!AppendCopiesOfSample(k)) {
        return;
    }
    m_lastCount = "0";
    m_packetCount = "0";
    m_packetNo = "1";
    MarkCurrent();
    m_run = RunState::Counting;
    m_form.start.enabled = false;
    m_form.repeat.enabled = false;
    m_form.done.enabled = true;
    m_form.reset.enabled = true;
    ShowBatchNo("1");
}

void CountSession::OnCounterBatchF() {
    const int p = m_curPacket;
    if (m_sampleRowCount < p + 1) {
        return;
    }
    m_drawMode = 1;
    m_markPos = p;
    RedrawMarkedRow();
    RecordPacket(false);
    if (m_sampleRowCount > p + 1) {
        m_curPacket = p + 1;
        ShowBatchNo(QString());
        MarkCurrent();
        m_batchNo = QString::number(m_curPacket + 1);
        ShowBatchNo(m_batchNo);
        // The new row has counted nothing yet: its figures start afresh, so
        // that closing it now records what the counter reported for it.
        m_lastCount = "0";
        m_packetCount = "0";
        m_packetNo = "1";
        ShowCount(m_lastCount);
        ShowPackNo("1");
        emit scrollTo(SampleRow(m_curPacket) + 1, false);
        SendRowFeedSpeed(SampleRow(m_curPacket));
        return;
    }
    m_form.stop.enabled = false;
    m_form.repeat.enabled = true;
    m_form.reset.enabled = false;
    m_form.done.enabled = false;
    m_curPacket = p + 1;
    ArmAutoDump();
}

void CountSession::ArmAutoDump() {
    if (m_options.autoDump) {
        m_autoDumpArmed = true;
    }
}

void CountSession::StartAutoDumpIfArmed() {
    if (!m_autoDumpArmed) {
        return;
    }
    // Runs as its own step, after the frame that armed it.
    const unsigned generation = m_linkGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_linkGeneration) {
                Dump();
            }
        },
        Qt::QueuedConnection);
}

void CountSession::OnCounterFull() {
    if (!m_sampleReadyShown && m_options.sampleReadyNotice) {
        m_sampleReadyShown = true;
        emit openSampleReady();
    }
}

void CountSession::OnCounterEmpty() {
    if (m_sampleReadyShown && m_options.sampleReadyNotice) {
        emit closeSampleReady();
    }
    // An armed dump starts whether or not the operator has closed the notice
    // already; it starts once.
    StartAutoDumpIfArmed();
    m_autoDumpArmed = false;
}

void CountSession::OnCounterDisconnect() {
    // The port stays open and the channel kept: Connect repeats only the
    // handshake on it.
    CloseCutOffSample();
    ShowDisconnected();
    emit counterDisconnected();
}

void CountSession::OnCounterDump() {
    if (m_dumpPending.active && m_dumpPending.sample != m_sample && SampleRunning()) {
        // The answer to a dump sent for an earlier sample, after the next has
        // started: its count goes on the earlier sample, and the sample being
        // counted keeps its own figures and boxes.
        const QString count = m_frameCount;
        if (m_frameMovedSample) {
            m_lastCount = m_countBefore;
            m_lastPackNo = m_packNoBefore;
            m_packetCount = m_packetCountBefore;
            m_packetNo = m_packetNoBefore;
            ShowCount(m_lastCount);
            ShowPackNo(m_lastPackNo);
            m_frameMovedSample = false;
        }
        WritePendingDumpFigures(count);
        return;
    }
    ShowPackNo("0");
    ShowBatchNo("Dump");
    if (m_dumpPending.active || m_dumpNoticeOpen) {
        // The answer to the console's Dump, its notice open or closed already.
        WritePendingDumpFigures(m_lastCount);
        if (m_dumpNoticeOpen) {
            emit closeDumpNotice();  // the dump carries on as the notice closes
        }
        emit returnToIdEntry();
        m_autoDumpArmed = false;
        ClearIdEntry();
        return;
    }
    // The counter dumped on its own.
    m_batchNo = "1";
    UnlockSelection();
    LockRun();
    m_form.dump.enabled = true;
    if (NoSampleInProgress(m_run)) {
        emit returnToIdEntry();
        m_autoDumpArmed = false;
        ClearIdEntry();
        return;
    }
    if (m_mode == CountMode::Totalize) {
        // A Totalize Count sample dumped by the counter: closed with its record
        // and inventory, as the console's own dump closes it.
        m_drawMode = 1;
        m_rows.SetCell(SampleRow(0), RowTable::NumP, m_lastCount);
        RedrawMarkedRow();
    }
    // A series dumped mid-row keeps its finished packets and the unfinished
    // one's seeds; the left-over becomes the inventory.
    const QString leftOver = m_lastCount;
    BeginPendingDump(true);
    WritePendingDumpFigures(leftOver);
    m_run = RunState::Dumped;
    m_programmed = false;
    if (!m_manualList) {
        AdvanceLoadedList();
        HideSameAsPrevious();
    } else {
        m_batchNo = "1";
        UnlockLinkSettings();
        PrepareNextBatchEntry();
    }
    emit returnToIdEntry();
    m_autoDumpArmed = false;
    ClearIdEntry();
}
