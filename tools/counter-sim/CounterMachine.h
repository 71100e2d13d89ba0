#pragma once

#include <QByteArray>
#include <chrono>
#include <vector>

#include "link/ConsoleFrameParser.h"

// The counting machine: carries out the console's frames and produces the
// frames a counter sends back, paced by its seed rate. No I/O here: the line
// feeds it frames and the time, and sends what it produced.
class CounterMachine {
public:
    using Clock = std::chrono::steady_clock;
    struct Config {
        double seedsPerSecond = 400;  // at feed speed 100
        bool fast = false;            // one count frame per packet, no pacing
        int leftover = 250;           // seeds a dump finds in the machine
    };

    explicit CounterMachine(const Config& config) : m_config(config) {}

    void OnFrame(const frames::ConsoleFrame& frame, Clock::time_point now);
    // Counts what is due by `now`.
    void Advance(Clock::time_point now);
    // When Advance has something to do next; Clock::time_point::max() when idle.
    Clock::time_point NextWake() const;
    // Frames produced since the last call, in order.
    std::vector<QByteArray> TakeOutput();
    // The console is gone or said Disconnect: everything stops.
    void EndSession();

private:
    enum class Phase { Idle, Batch, Filled, Totalize, Dumping };
    struct Row {
        int seedsPerPacket = 0;
        int packets = 0;
    };

    void StartProgram(const frames::ProgramFrameArgs& p, Clock::time_point now);
    void OnCommand(const QString& text, Clock::time_point now);
    void StartCounting(std::vector<Row> rows, Clock::time_point now);
    void StartDump(Clock::time_point now);
    void CountSeed(Clock::time_point now);
    void FinishPacket(Clock::time_point now);
    void ReportCount(int count, int packNo, Clock::time_point now);
    Clock::duration SeedInterval() const;
    void Send(const QByteArray& frame) { m_output.push_back(frame); }

    Config m_config;
    Phase m_phase = Phase::Idle;
    bool m_bPaused = false;
    int m_nSpeedPercent = 100;
    std::vector<Row> m_rows;  // rows of the running series
    size_t m_nRow = 0;        // row being counted
    int m_nPacket = 1;        // packet of that row, from 1
    int m_nCount = 0;         // seeds in the packet so far, or the running total
    int m_nDumpTarget = 0;    // seeds the running dump will count
    Clock::time_point m_nextSeed{};
    Clock::time_point m_lastReport{};
    Clock::time_point m_emptyAt{};
    std::vector<QByteArray> m_output;
};
