#include "CounterMachine.h"

#include <algorithm>

#include "link/CounterFrames.h"
#include "platform/NumText.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kReportEvery = 50ms;   // running count updates at most this often
constexpr auto kFullToEmpty = 300ms;  // the packet falls out of the hopper
constexpr auto kFastFullToEmpty = 20ms;
constexpr size_t kMaxBurst = 64;  // frames per call, so the line sets the pace
constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 1000;

QString Num(int n) {
    return QString::number(n);
}

}  // namespace

void CounterMachine::OnFrame(const frames::ConsoleFrame& frame, Clock::time_point now) {
    switch (frame.kind) {
        case frames::ConsoleFrame::Program:
            StartProgram(frame.program, now);
            break;
        case frames::ConsoleFrame::Command:
            OnCommand(frame.text, now);
            break;
        case frames::ConsoleFrame::FeedSpeed:
            m_nSpeedPercent = std::clamp(WToI(frame.text), kMinSpeed, kMaxSpeed);
            break;
        case frames::ConsoleFrame::Malformed:
            break;
    }
}

void CounterMachine::StartProgram(const frames::ProgramFrameArgs& p, Clock::time_point now) {
    const int speed = WToI(p.feedSpeed);
    if (speed > 0) {
        m_nSpeedPercent = std::clamp(speed, kMinSpeed, kMaxSpeed);
    }
    // The rows not yet counted are the last ones listed.
    std::vector<Row> rows;
    bool totalize = true;
    for (size_t i = p.rows.size() - static_cast<size_t>(p.rowsToCount); i < p.rows.size(); ++i) {
        rows.push_back({WToI(p.rows[i].seedsPerPacket), WToI(p.rows[i].packets)});
        totalize = totalize && p.rows[i].seedsPerPacket == "1" && p.rows[i].packets == "0";
    }
    Send(frames::EventFrame("Start"));
    m_bPaused = false;
    if (totalize && !rows.empty()) {
        m_phase = Phase::Totalize;
        m_nCount = 0;
        m_nextSeed = now + SeedInterval();
        m_lastReport = now;
        return;
    }
    StartCounting(std::move(rows), now);
}

void CounterMachine::StartCounting(std::vector<Row> rows, Clock::time_point now) {
    m_rows = std::move(rows);
    m_nRow = 0;
    m_nPacket = 1;
    m_nCount = 0;
    m_phase = Phase::Batch;
    m_nextSeed = now;
    m_lastReport = now;
}

void CounterMachine::OnCommand(const QString& text, Clock::time_point now) {
    if (text == "Stop") {
        m_bPaused = true;
        Send(frames::EventFrame("Stop"));
    } else if (text == "Start") {
        m_bPaused = false;
        m_nextSeed = std::max(m_nextSeed, now);
        Send(frames::EventFrame("Start"));
    } else if (text == "Zero") {
        m_nCount = 0;
    } else if (text == "Reset") {
        // The machine stops. There is no answer: the console has closed the
        // sample itself, and a "Reset" sent now would close the next one.
        m_phase = Phase::Idle;
    } else if (text == "Recycle") {
        // The console repeats the rows counted so far: count them again.
        const size_t done = m_phase == Phase::Batch ? m_nRow : m_rows.size();
        std::vector<Row> again(m_rows.begin(), m_rows.begin() + static_cast<long>(done));
        if (!again.empty()) {
            m_bPaused = false;
            StartCounting(std::move(again), now);
        }
    } else if (text == "Dump") {
        StartDump(now);
    } else if (text == "Disconnect") {
        EndSession();
    }
}

void CounterMachine::StartDump(Clock::time_point now) {
    if (m_phase == Phase::Totalize) {
        ReportCount(m_nCount, 1, now);
        Send(frames::EventFrame("Dump"));
        m_phase = Phase::Idle;
        return;
    }
    m_phase = Phase::Dumping;
    m_bPaused = false;
    m_nDumpTarget = m_config.leftover;
    m_nCount = 0;
    m_nextSeed = now;
    m_lastReport = now;
}

void CounterMachine::EndSession() {
    m_phase = Phase::Idle;
    m_bPaused = false;
    m_rows.clear();
}

CounterMachine::Clock::duration CounterMachine::SeedInterval() const {
    const double perSecond = m_config.seedsPerSecond * m_nSpeedPercent / 100.0;
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / perSecond));
}

CounterMachine::Clock::time_point CounterMachine::NextWake() const {
    switch (m_phase) {
        case Phase::Idle:
            return Clock::time_point::max();
        case Phase::Filled:
            return m_emptyAt;
        default:
            return m_bPaused ? Clock::time_point::max() : m_nextSeed;
    }
}

void CounterMachine::Advance(Clock::time_point now) {
    if (m_phase == Phase::Filled && now >= m_emptyAt) {
        Send(frames::EventFrame("Empty"));
        m_phase = Phase::Idle;
    }
    while (!m_bPaused &&
           (m_phase == Phase::Batch || m_phase == Phase::Totalize || m_phase == Phase::Dumping) &&
           m_nextSeed <= now && m_output.size() < kMaxBurst) {
        CountSeed(now);
        m_nextSeed += m_config.fast ? Clock::duration::zero() : SeedInterval();
    }
}

void CounterMachine::CountSeed(Clock::time_point now) {
    if (m_phase == Phase::Totalize) {
        ++m_nCount;
        if (m_config.fast || now - m_lastReport >= kReportEvery) {
            ReportCount(m_nCount, 1, now);
        }
        return;
    }
    if (m_phase == Phase::Dumping) {
        m_nCount = m_config.fast ? m_nDumpTarget : std::min(m_nCount + 1, m_nDumpTarget);
        if (m_nCount >= m_nDumpTarget) {
            ReportCount(m_nCount, 0, now);
            Send(frames::EventFrame("Dump"));
            m_phase = Phase::Idle;
        } else if (now - m_lastReport >= kReportEvery) {
            ReportCount(m_nCount, 0, now);
        }
        return;
    }
    if (m_nRow >= m_rows.size() || m_rows[m_nRow].packets <= 0) {
        FinishPacket(now);  // nothing (left) to count in this row
        return;
    }
    const int target = std::max(m_rows[m_nRow].seedsPerPacket, 0);
    m_nCount = m_config.fast ? target : std::min(m_nCount + 1, target);
    if (m_nCount >= target) {
        ReportCount(m_nCount, m_nPacket, now);
        FinishPacket(now);
    } else if (now - m_lastReport >= kReportEvery) {
        ReportCount(m_nCount, m_nPacket, now);
    }
}

// A packet is full (or the row has none): the next packet, row or the end.
void CounterMachine::FinishPacket(Clock::time_point now) {
    m_nCount = 0;
    if (m_nRow < m_rows.size() && m_nPacket < m_rows[m_nRow].packets) {
        ++m_nPacket;
        return;
    }
    if (m_nRow < m_rows.size()) {
        Send(frames::EventFrame("BatchF"));
        ++m_nRow;
        m_nPacket = 1;
    }
    if (m_nRow >= m_rows.size()) {
        Send(frames::EventFrame("Full"));
        m_phase = Phase::Filled;
        m_emptyAt = now + (m_config.fast ? kFastFullToEmpty : kFullToEmpty);
    }
}

void CounterMachine::ReportCount(int count, int packNo, Clock::time_point now) {
    Send(frames::CountFrame(Num(count), Num(packNo)));
    m_lastReport = now;
}

std::vector<QByteArray> CounterMachine::TakeOutput() {
    std::vector<QByteArray> out;
    out.swap(m_output);
    return out;
}
