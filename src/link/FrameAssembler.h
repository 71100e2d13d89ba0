#pragma once

#include <QByteArray>
#include <vector>

// Reassembles the counter's frames from the pieces the line delivers. The
// same bytes give the same frames however the reads split them: every
// complete frame is returned, in order; bytes outside a frame are dropped; a
// new STX abandons an unfinished frame; a frame that grows past
// kMaxFrameBytes without its ETX is dropped.
class FrameAssembler {
public:
    // Room for the longest program frame (200 rows) with a wide margin.
    static constexpr qsizetype kMaxFrameBytes = 8192;

    // Feeds one read; returns the frames it completed (each STX .. ETX).
    std::vector<QByteArray> Feed(const char* data, size_t n);
    bool Pending() const { return m_bPartialFrame; }
    void Reset();

private:
    QByteArray m_frame;
    bool m_bPartialFrame = false;
};
