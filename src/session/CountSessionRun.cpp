// The operator's run commands: count mode, Start, Stop, Zero, Dump, Repeat,
// Done, Reset, Delete; the seed set, the feed speed and the options.

#include <algorithm>

#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "link/SendFrame.h"
#include "platform/NumText.h"
#include "session/CountSession.h"
#include "session/SessionStep.h"

namespace {
bool NoSampleInProgress(RunState run) {
    return run == RunState::Dumped || run == RunState::Closing || run == RunState::Idle;
}
}  // namespace

void CountSession::ChooseTotalize() {
    SessionStep step(this);
    CheckMode(CountMode::Totalize);
    m_form.stop.visible = true;
    m_form.repeat = {false, false};
    m_form.idEntry.enabled = IdEntryOpen();
    if (m_mode == CountMode::Totalize) {
        ClearIdEntry();
        return;
    }
    DeleteLastRows(m_sampleRowCount);
    m_mode = CountMode::Totalize;
    m_curPacket = 0;
    m_sampleRowCount = 0;
    HideSameAsPrevious();
    m_batchNo.clear();
    m_form.del.enabled = false;
    m_form.list.enabled = true;
    m_drawMode = 3;
    ClearIdEntry();
}

void CountSession::ChooseBatch() {
    SessionStep step(this);
    CheckMode(CountMode::Batch);
    m_form.stop.visible = false;
    if (m_mode == CountMode::Batch) {
        ClearIdEntry();
        return;
    }
    DeleteLastRows(m_sampleRowCount);
    m_sampleRowCount = 0;
    m_curPacket = 0;
    HideSameAsPrevious();
    m_mode = CountMode::Batch;
    m_form.del.enabled = false;
    ShowPackNo("1");
    m_batchNo = "1";
    m_drawMode = 0;
    ClearIdEntry();
}

void CountSession::Start() {
    SessionStep step(this);
    MakeFinal();
    Cvyn8_rk47Doc& doc = *m_doc;
    if (doc.m_nOpenState == RECORDS_OPENED) {
        doc.DiscardRecords();
        m_currentRecord = {};
        doc.m_nOpenState = RECORDS_NOT_OPENED;
    }
    if (m_mode == CountMode::None) {
        Tell("Please select count mode", "Warnning", PromptIcon::Warning);
        return;
    }
    if (m_mode == CountMode::Batch && m_sampleRowCount == 0) {
        Tell("Please enter package number and count number in each package", "Warnning",
             PromptIcon::Warning);
        return;
    }
    if (NoSampleInProgress(m_run)) {
        // A new sample counts from 0; a stopped one keeps what it has counted
        // until the counter reports more.
        m_lastCount = "0";
        ShowCount("0");
        if (m_sampleRowCount == 0) {
            Tell("Please select count mode", kAppTitle);
            return;
        }
        // A new sample: its dump figures must never land on the last one's
        // record, nor the last series' running total in its own.
        m_currentRecord = {};
        m_dumpTotal = 0;
        m_feedSpeedText = m_feedSpeedEdit;
        frames::ProgramFrameArgs args;
        args.seedName = doc.m_seedNames.value(m_seedIndex).left(19);
        args.rowsToCount = m_sampleRowCount - m_curPacket;
        for (int j = 0; j < std::min(m_sampleRowCount, kMaxSampleRows); ++j) {
            const int row = SampleRow(j);
            args.rows.push_back(
                {m_rows.Cell(row, RowTable::NumP), m_rows.Cell(row, RowTable::PackNo)});
        }
        args.gateHor = m_gateHor.left(9);
        args.gateVer = m_gateVer.left(9);
        args.sensitivity = m_sensitivity.left(9);
        args.feedSpeed = m_feedSpeedText;
        if (SendToCounter(frames::Program(args), FrameSender::Program) == SendResult::Failed) {
            return;
        }
        ++m_sample;
        m_programmed = true;
        m_packetCount = "0";
        m_packetNo = "1";
        ShowBatchNo(m_batchNo);
        LockSelection();
        UnlockRun();
        if (m_mode == CountMode::Batch) {
            m_form.repeat.enabled = false;
            m_batchNo = QString::number(m_curPacket + 1);
            ShowBatchNo(m_batchNo);
            m_form.stop.visible = false;
            ShowPackNo("1");
            SendRowFeedSpeed(SampleRow(0));
            if (!LinkLive()) {
                return;  // the speed could not be written: the link has ended
            }
        } else {
            ShowPackNo("0");
        }
        m_form.spin.enabled = true;
        m_form.list.enabled = true;
        m_form.loadFile.enabled = false;
        ShowCount("0");
    } else if (SendToCounter(frames::Command("Start"), FrameSender::Start) == SendResult::Failed) {
        return;  // the link has ended: the console is disconnected and idle
    }
    m_run = RunState::Counting;
    m_form.start.enabled = false;
    m_form.stop.enabled = true;
    ClearIdEntry();  // closed until the sample is
    MarkCurrent();
}

void CountSession::Stop() {
    SessionStep step(this);
    if (SendToCounter(frames::Command("Stop"), FrameSender::Stop) == SendResult::Failed) {
        return;
    }
    m_run = RunState::Stopped;
    m_form.start.enabled = true;
    m_form.stop.enabled = false;
}

void CountSession::Zero() {
    SessionStep step(this);
    if (SendToCounter(frames::Command("Zero"), FrameSender::Zero) == SendResult::Failed) {
        LockRun();
        return;
    }
    m_run = RunState::Zeroed;
}

void CountSession::Repeat() {
    SessionStep step(this);
    if (!SendRunCommand("Recycle", FrameSender::Recycle)) {
        return;
    }
    if (m_mode == CountMode::Batch) {
        m_drawMode = 0;
        if (!AppendCopiesOfSample(m_curPacket)) {
            return;
        }
        m_run = RunState::Counting;
        m_form.repeat.enabled = false;
        // The repeated series has counted nothing yet: nothing of the last
        // packet of the one before is carried into it.
        m_lastCount = "0";
        m_packetCount = "0";
        m_packetNo = "1";
        ShowCount("0");
        ShowPackNo("1");
        ShowBatchNo("1");
        m_form.done.enabled = true;
        m_form.reset.enabled = true;
    } else {
        FillRowStates();
    }
    MarkCurrent();
    emit scrollTo(m_rows.Count() - 1, false);
}

void CountSession::Done() {
    SessionStep step(this);
    if (SendRunCommand("Reset", FrameSender::Done)) {
        CompleteSample(false);
    }
}

void CountSession::Reset() {
    SessionStep step(this);
    if (!SendRunCommand("Reset", FrameSender::Reset)) {
        return;
    }
    m_run = RunState::Closing;
    m_programmed = false;
    LockRun();
    UnlockSelection();
    m_form.dump.enabled = true;
    ShowCount("0");
    ShowPackNo("0");
    DiscardUncountedRows();
    // The series ends here: its running total must not reach the next one.
    m_dumpTotal = 0;
    CheckMode(CountMode::Totalize);
    // The Repeat button keeps its caption "Repeat".
    m_mode = CountMode::Totalize;
    m_batchNo.clear();
    m_form.loadFile.enabled = true;
    m_sampleRowCount = 0;
    ClearIdEntry();
    MakeFinal();
}

void CountSession::Delete() {
    SessionStep step(this);
    if (m_rows.Count() > 0 && m_sampleRowCount > 0) {
        DeleteLastRows(1);
        // The deleted row was the current sample's last row in either mode.
        --m_sampleRowCount;
        if (m_mode == CountMode::Totalize) {
            m_form.del.enabled = false;
        }
    }
    ClearIdEntry();
}

// ---- Dump ----

void CountSession::Dump() {
    SessionStep step(this);
    if (m_dumpNoticeOpen) {
        return;  // a dump is already waiting for the counter
    }
    const QByteArray frame = frames::Command("Dump");
    const bool sampleInProgress = !NoSampleInProgress(m_run);
    if (!sampleInProgress) {
        if (SendToCounter(frame, FrameSender::Dump) == SendResult::Failed) {
            return;  // no notice waits for a dump that was never asked for
        }
        if (!m_dumpPending.active) {
            BeginPendingDump(false);
        }
        m_run = RunState::Dumped;
    } else {
        if (m_mode == CountMode::Totalize) {
            m_drawMode = 1;
            m_rows.SetCell(SampleRow(0), RowTable::NumP, m_lastCount);
            RedrawMarkedRow();
        }
        m_form.list.enabled = false;
        if (SendToCounter(frame, FrameSender::Dump) == SendResult::Failed) {
            return;
        }
        BeginPendingDump(true);
        m_form.dump.enabled = false;
        LockRun();
    }
    // The notice waits for the counter's "Dump" without blocking; the rest
    // of the dump runs when it closes.
    m_dumpNoticeOpen = true;
    m_dumpForSample = sampleInProgress;
    emit openDumpNotice();
}

void CountSession::DumpNoticeClosed() {
    SessionStep step(this);
    if (!m_dumpNoticeOpen) {
        return;
    }
    m_dumpNoticeOpen = false;
    FinishDump(m_dumpForSample);
}

void CountSession::FinishDump(bool sampleInProgress) {
    if (!sampleInProgress) {
        ClearIdEntry();
        return;
    }
    m_run = RunState::Dumped;
    m_programmed = false;
    m_form.dump.enabled = true;
    m_autoDumpArmed = false;
    if (m_manualList) {
        CheckMode(m_mode);
        m_batchNo = "1";
        UnlockSelection();
        PrepareNextBatchEntry();
    } else {
        m_form.stop.visible = true;
        m_form.repeat = {false, false};
        m_form.del.enabled = false;
        if (AdvanceLoadedList()) {
            m_form.countModeGroup.enabled = true;
            CheckMode(CountMode::Totalize);
            m_options.autoDump = true;
            m_options.sampleReadyNotice = true;
        } else {
            for (FormControl* c : {&m_form.countModeGroup, &m_form.totalize, &m_form.batch}) {
                c->enabled = false;
            }
            m_form.list.enabled = true;
        }
        HideSameAsPrevious();
    }
    ClearIdEntry();
}

void CountSession::SampleReadyClosed() {
    m_sampleReadyShown = false;
}

// ---- seed set, feed speed, options ----

QString CountSession::SeedName() const {
    return m_doc->m_seedNames.value(m_seedIndex);
}

void CountSession::ChooseSeed(int index) {
    SessionStep step(this);
    m_seedIndex = std::max(index, 0);
    const QString name = SeedName();
    // Only the sample being entered takes the new seed. A loaded list has
    // none between scans: its rows keep the seeds they were loaded with.
    if (m_rows.Count() > 0 && m_manualList) {
        for (int k = m_curPacket; k < std::min(m_sampleRowCount, kSampleRowTable); ++k) {
            m_rows.SetCell(SampleRow(k), RowTable::Seed, name);
        }
    }
    ShowSeedSet(m_seedIndex);
    m_form.spinPos = static_cast<qint16>(WToI(m_feedSpeedText));
    ++m_form.spinSerial;
    ClearIdEntry();
}

void CountSession::ShowSeedSet(int index) {
    SessionStep step(this);
    m_seedIndex = std::max(index, 0);
    m_feedSpeedText = m_doc->m_feedSpeeds.value(index);
    m_feedSpeedEdit = m_feedSpeedText;
    m_form.feedSpeedText.Set(m_feedSpeedText);
    m_gateHor = m_doc->m_gateHors.value(index);
    m_gateVer = m_doc->m_gateVers.value(index);
    m_sensitivity = m_doc->m_sensitivities.value(index);
    m_form.gateHorText.Set(m_gateHor);
    m_form.gateVerText.Set(m_gateVer);
    m_form.sensitivityText.Set(m_sensitivity);
}

void CountSession::FeedSpeedStep(int position) {
    SessionStep step(this);
    // The counter and the edit get the position before this step: they stay
    // one step behind the spin itself.
    m_feedSpeed = position;
    const QString speed = QString::number(m_feedSpeed);
    const bool running = m_run == RunState::Counting || m_run == RunState::Zeroed ||
                         m_run == RunState::Dumped || m_run == RunState::Stopped;
    if (running) {
        SendToCounter(frames::FeedSpeed(speed), FrameSender::FeedSpeed);
    }
    m_feedSpeedEdit = speed;
    m_form.feedSpeedText.Set(speed);
    ClearIdEntry();
}

void CountSession::FeedSpeedTyped(const QString& text) {
    m_feedSpeedEdit = text;
}

void CountSession::SetOptions(const Options& options) {
    SessionStep step(this);
    m_options = options;
    if (m_options.autoDump) {
        m_form.repeat.visible = !m_form.repeat.visible;
    }
    ClearIdEntry();
}
