// The simulated counter's side of the line: the console's frames parsed and
// carried out by the counting machine. The first byte chooses:
//  - even: the rest is a byte stream; each frame in it is parsed and given to
//    the machine, which runs on a simulated clock. Whatever the machine sends
//    back must be a frame the console decodes.
//  - odd: the rest gives the fields of a program frame, a feed speed and a
//    command; each frame built from them must parse back to the same fields.

#include <chrono>

#include "CounterMachine.h"
#include "FuzzInput.h"
#include "link/ConsoleFrameParser.h"
#include "link/CounterFrames.h"
#include "link/FrameAssembler.h"

namespace {

using Clock = CounterMachine::Clock;

void RunMachine(FuzzInput& in) {
    CounterMachine::Config config;
    config.fast = (in.Byte() & 1) != 0;
    CounterMachine machine(config);
    FrameAssembler assembler;
    Clock::time_point now{};
    const QByteArray stream = in.Rest();
    for (const QByteArray& frame : assembler.Feed(stream.constData(), stream.size())) {
        const frames::ConsoleFrame f = frames::ParseConsoleFrame(frame);
        FUZZ_CHECK(f.kind != frames::ConsoleFrame::Malformed || !f.problem.isEmpty(),
                   "a refused frame says why");
        machine.OnFrame(f, now);
        // Let the machine work for a while of simulated time.
        for (int step = 0; step < 16; ++step) {
            now += std::chrono::milliseconds(25);
            machine.Advance(now);
            for (const QByteArray& sent : machine.TakeOutput()) {
                FUZZ_CHECK(frames::Decode(sent).kind != frames::CounterMessage::Ignored,
                           "the console understands every frame the counter sends");
            }
            if (machine.NextWake() == Clock::time_point::max()) {
                break;
            }
        }
    }
}

// A field that a frame carries unchanged: Latin-1 without the frame bytes.
QString FrameField(FuzzInput& in) {
    QByteArray bytes = in.BytesUntil('\xFF');
    for (char& c : bytes) {
        if (c == frames::STX || c == frames::ETX || c == frames::US) {
            c = '?';
        }
    }
    return QString::fromLatin1(bytes);
}

void RoundTrip(FuzzInput& in) {
    frames::ProgramFrameArgs args;
    const unsigned rows = in.Byte() % 8;
    args.rowsToCount = static_cast<int>(in.Byte() % (rows + 1));
    args.seedName = FrameField(in);
    for (unsigned i = 0; i < rows; ++i) {
        frames::ProgramRow row;
        row.seedsPerPacket = FrameField(in);
        row.packets = FrameField(in);
        args.rows.push_back(row);
    }
    args.gateHor = FrameField(in);
    args.gateVer = FrameField(in);
    args.sensitivity = FrameField(in);
    args.feedSpeed = FrameField(in);

    const frames::ConsoleFrame p = frames::ParseConsoleFrame(frames::Program(args));
    FUZZ_CHECK(p.kind == frames::ConsoleFrame::Program, "a program frame parses");
    const frames::ProgramFrameArgs& got = p.program;
    FUZZ_CHECK(got.seedName == args.seedName.left(19), "the seed name comes back, cut to 19");
    FUZZ_CHECK(got.rowsToCount == args.rowsToCount, "rows to count come back");
    FUZZ_CHECK(got.rows.size() == args.rows.size(), "every row comes back");
    for (size_t i = 0; i < args.rows.size(); ++i) {
        FUZZ_CHECK(got.rows[i].seedsPerPacket == args.rows[i].seedsPerPacket &&
                       got.rows[i].packets == args.rows[i].packets,
                   "each row's seeds per packet and packets come back");
    }
    FUZZ_CHECK(got.gateHor == args.gateHor.left(9) && got.gateVer == args.gateVer.left(9) &&
                   got.sensitivity == args.sensitivity.left(9),
               "gates and sensitivity come back, cut to 9");
    FUZZ_CHECK(got.feedSpeed == args.feedSpeed, "the feed speed comes back");

    const frames::ConsoleFrame speed = frames::ParseConsoleFrame(frames::FeedSpeed(args.feedSpeed));
    FUZZ_CHECK(speed.kind == frames::ConsoleFrame::FeedSpeed && speed.text == args.feedSpeed,
               "a feed speed frame parses back");
    const frames::ConsoleFrame command = frames::ParseConsoleFrame(frames::Command(args.seedName));
    if (frames::IsCommandText(args.seedName)) {
        FUZZ_CHECK(command.kind == frames::ConsoleFrame::Command && command.text == args.seedName,
                   "a command frame parses back");
    } else if (!args.seedName.startsWith('M')) {
        FUZZ_CHECK(command.kind == frames::ConsoleFrame::Malformed,
                   "an unknown command is refused");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    if (in.Byte() % 2 == 0) {
        RunMachine(in);
    } else {
        RoundTrip(in);
    }
    return 0;
}
