// vyn8-counter: the seed counter at the other end of the console's serial
// line. It answers the handshake, carries out the console's frames and
// reports like the machine: started, counts, packets done, full, empty, dump.

#include <poll.h>

#include <algorithm>
#include <cstdio>

#include "CounterMachine.h"
#include "ScriptPlayer.h"
#include "SimLine.h"
#include "SimOptions.h"
#include "link/ConsoleFrameParser.h"
#include "link/CounterFrames.h"
#include "sim-common/SimPty.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLongestSleep = std::chrono::milliseconds(200);

class Simulator {
public:
    explicit Simulator(const SimOptions& o)
        : m_options(o), m_line(o), m_machine({o.seedsPerSecond, o.fast, o.leftover}) {}

    int Run();

private:
    bool Setup();
    void Handle(const SimLine::Input& in, Clock::time_point now);
    void HandleFrame(const QByteArray& frame, Clock::time_point now);
    // Sends what the machine or the script produced; false when the
    // counter is to vanish.
    bool Flush(std::vector<QByteArray> frames);
    Clock::time_point NextWake() const;

    const SimOptions& m_options;
    SimLine m_line;
    CounterMachine m_machine;
    ScriptPlayer m_script;
    bool m_bScripted = false;
    bool m_bSession = false;
};

bool Simulator::Setup() {
    QString error;
    m_bScripted = !m_options.scriptPath.isEmpty();
    if ((m_bScripted && !m_script.Load(m_options.scriptPath, &error)) || !m_line.Open(&error)) {
        fprintf(stderr, "vyn8-counter: %s\n", qPrintable(error));
        return false;
    }
    printf("vyn8-counter: serving %s", qPrintable(m_line.ServedPath()));
    if (!m_options.linkPath.isEmpty()) {
        printf(" as %s", qPrintable(m_options.linkPath));
    }
    printf("\n");
    fflush(stdout);
    return true;
}

void Simulator::HandleFrame(const QByteArray& frame, Clock::time_point now) {
    m_bSession = true;
    if (m_bScripted) {
        m_script.OnFrame(frame, now);
        return;
    }
    const frames::ConsoleFrame f = frames::ParseConsoleFrame(frame);
    if (f.kind == frames::ConsoleFrame::Malformed) {
        fprintf(stderr, "vyn8-counter: ignored %s (%s)\n", qPrintable(frames::Readable(frame)),
                qPrintable(f.problem));
        return;
    }
    m_machine.OnFrame(f, now);
    if (f.kind == frames::ConsoleFrame::Command && f.text == "Disconnect") {
        m_bSession = false;
    }
}

void Simulator::Handle(const SimLine::Input& in, Clock::time_point now) {
    if (in.sessionStarted) {
        m_machine.EndSession();  // a new connection starts afresh
        m_bSession = true;
        if (m_bScripted) {
            m_script.Start(now);
        }
    }
    for (const QByteArray& frame : in.frames) {
        HandleFrame(frame, now);
    }
}

bool Simulator::Flush(std::vector<QByteArray> frames) {
    for (const QByteArray& frame : frames) {
        m_line.Send(frame);
        const int sent = m_line.FramesSent();
        if (sent == m_options.vanishAfterFrames) {
            fprintf(stderr, "vyn8-counter: vanishing after %d frames\n", sent);
            return false;
        }
        if (sent == m_options.disconnectAfterFrames) {
            m_line.Send(frames::EventFrame("Disconnect"));
            m_machine.EndSession();
            m_bSession = false;
            return true;
        }
    }
    return true;
}

Clock::time_point Simulator::NextWake() const {
    return m_bScripted ? m_script.NextWake() : m_machine.NextWake();
}

int Simulator::Run() {
    if (!Setup()) {
        return 2;
    }
    while (!g_simStop) {
        const auto now = Clock::now();
        const auto wait =
            std::clamp(NextWake() - now, Clock::duration::zero(), Clock::duration(kLongestSleep));
        pollfd p{m_line.fd(), POLLIN, 0};
        const int ready = ::poll(
            &p, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
        if (ready > 0) {
            const SimLine::Input in = m_line.Read();
            if (in.hangup) {
                fprintf(stderr, "vyn8-counter: the line is gone\n");
                return 1;
            }
            Handle(in, Clock::now());
        }
        m_bScripted ? m_script.Advance(Clock::now()) : m_machine.Advance(Clock::now());
        if (!Flush(m_bScripted ? m_script.TakeOutput() : m_machine.TakeOutput())) {
            return 0;
        }
        if (m_bScripted && m_script.Done()) {
            fprintf(stderr, "vyn8-counter: script %s\n",
                    m_script.Failed() ? qPrintable(m_script.Failure()) : "done");
            return m_script.Failed() ? 1 : 0;
        }
    }
    if (m_bSession) {
        m_line.Send(frames::EventFrame("Disconnect"));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    QString error;
    if (!ParseSimOptions(argc, argv, &options, &error)) {
        fprintf(stderr, "%s", qPrintable(error));
        return argc > 1 && (QString(argv[1]) == "--help" || QString(argv[1]) == "-h") ? 0 : 2;
    }
    CatchStopSignals();
    Simulator sim(options);
    return sim.Run();
}
