// Counter frames reassembled from the pieces the line delivers, then decoded
// as the receive loop does. The first byte sets how many of the following
// bytes give the read sizes; the rest is the line's byte stream. The same
// bytes must give the same frames whether they come in one read, one byte at
// a time or in the given pieces, and every frame must be well formed.

#include <QList>
#include <vector>

#include "FuzzInput.h"
#include "link/CounterFrames.h"
#include "link/FrameAssembler.h"

namespace {

std::vector<QByteArray> Reassemble(const QByteArray& stream, const QByteArray& readSizes) {
    FrameAssembler assembler;
    std::vector<QByteArray> out;
    qsizetype pos = 0;
    for (qsizetype k = 0; pos < stream.size(); ++k) {
        qsizetype n =
            readSizes.isEmpty() ? stream.size() : uchar(readSizes[k % readSizes.size()]) % 64 + 1;
        n = std::min(n, stream.size() - pos);
        for (QByteArray& f : assembler.Feed(stream.constData() + pos, static_cast<size_t>(n))) {
            out.push_back(std::move(f));
        }
        pos += n;
    }
    return out;
}

void CheckFrame(const QByteArray& f) {
    FUZZ_CHECK(f.size() >= 2 && f.front() == frames::STX && f.back() == frames::ETX,
               "a frame runs from STX to ETX");
    FUZZ_CHECK(f.count(frames::STX) == 1 && f.count(frames::ETX) == 1,
               "a frame holds one STX and one ETX");
    FUZZ_CHECK(f.size() <= FrameAssembler::kMaxFrameBytes + 1, "a frame stays within its limit");
    const frames::CounterMessage m = frames::Decode(f);
    switch (m.kind) {
        case frames::CounterMessage::Event:
            FUZZ_CHECK(!m.event.isEmpty() && m.event.size() <= frames::kMaxEventName,
                       "an event name is 1 to 49 characters");
            FUZZ_CHECK(f.size() > 3 && f[1] == 'c', "events come in 'c' frames");
            break;
        case frames::CounterMessage::Count:
            FUZZ_CHECK(!m.count.isEmpty() && m.count.size() <= frames::kKeptCount &&
                           !m.packNo.isEmpty() && m.packNo.size() <= frames::kKeptPackNo,
                       "count fields are kept to 9 and 5 characters");
            FUZZ_CHECK(f.size() > 3 && f[1] == 'd', "counts come in 'd' frames");
            break;
        case frames::CounterMessage::Ignored:
            break;
    }
    FUZZ_CHECK(!frames::Readable(f).isEmpty(), "every frame reads as something in a log");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const size_t sizeBytes = in.Byte() % 16;
    QByteArray readSizes;
    for (size_t i = 0; i < sizeBytes && !in.Empty(); ++i) {
        readSizes.append(static_cast<char>(in.Byte()));
    }
    const QByteArray stream = in.Rest();

    const std::vector<QByteArray> whole = Reassemble(stream, {});
    FUZZ_CHECK(Reassemble(stream, QByteArray(1, '\0')) == whole,
               "one byte at a time gives the frames of one read");
    FUZZ_CHECK(Reassemble(stream, readSizes) == whole,
               "reads of any size give the frames of one read");
    for (const QByteArray& f : whole) {
        CheckFrame(f);
    }
    // Each frame the stream holds whole (STX, no STX or ETX, ETX, within the
    // limit) is found, in order.
    std::vector<QByteArray> expected;
    for (qsizetype start = stream.indexOf(frames::STX); start >= 0;
         start = stream.indexOf(frames::STX, start + 1)) {
        qsizetype end = start + 1;
        while (end < stream.size() && stream[end] != frames::STX && stream[end] != frames::ETX) {
            ++end;
        }
        if (end < stream.size() && stream[end] == frames::ETX &&
            end - start + 1 <= FrameAssembler::kMaxFrameBytes + 1) {
            expected.push_back(stream.mid(start, end - start + 1));
        }
    }
    FUZZ_CHECK(expected == whole, "every whole frame and nothing else is found, in order");
    return 0;
}
