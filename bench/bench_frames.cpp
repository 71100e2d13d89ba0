// Reassembly and decoding throughput of the counter's frames, to set against
// the line's own rate: 9600 baud at 7 data bits, odd parity and one stop bit
// is 10 bits a byte, 960 bytes a second.

#include <benchmark/benchmark.h>

#include "link/CounterFrames.h"
#include "link/FrameAssembler.h"

namespace {

constexpr double kLineBytesPerSecond = 960.0;

// A counting session as the line carries it: running counts, packets done,
// the full/empty/dump events, and a little noise between frames.
QByteArray Session() {
    QByteArray line;
    for (int packet = 1; packet <= 50; ++packet) {
        for (int count = 1; count <= 20; ++count) {
            line += frames::CountFrame(QString::number(count), QString::number(packet));
        }
        line += frames::EventFrame("BatchF");
        line += "\x05";  // a stray byte outside any frame
    }
    line += frames::EventFrame("Full") + frames::EventFrame("Empty");
    line += frames::CountFrame("250", "0") + frames::EventFrame("Dump");
    return line;
}

// Reads of `chunk` bytes at most (the console reads up to 99 at a time).
void BM_AssembleAndDecode(benchmark::State& state) {
    const QByteArray line = Session();
    const qsizetype chunk = state.range(0);
    int64_t messages = 0;
    for (auto _ : state) {
        FrameAssembler assembler;
        for (qsizetype at = 0; at < line.size(); at += chunk) {
            const qsizetype n = std::min(chunk, line.size() - at);
            for (const QByteArray& f : assembler.Feed(line.constData() + at, size_t(n))) {
                const frames::CounterMessage m = frames::Decode(f);
                messages += m.kind != frames::CounterMessage::Ignored;
            }
        }
    }
    benchmark::DoNotOptimize(messages);
    const double bytes = double(line.size()) * double(state.iterations());
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["times_line_rate"] =
        benchmark::Counter(bytes / kLineBytesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AssembleAndDecode)->Arg(1)->Arg(16)->Arg(99);

}  // namespace

BENCHMARK_MAIN();
