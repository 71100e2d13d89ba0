#include "link/FrameAssembler.h"

#include "link/CounterFrames.h"

std::vector<QByteArray> FrameAssembler::Feed(const char* data, size_t n) {
    std::vector<QByteArray> done;
    for (size_t i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == frames::STX) {
            // A new frame begins; an unfinished one is abandoned.
            m_frame.clear();
            m_frame.append(c);
            m_bPartialFrame = true;
            continue;
        }
        if (!m_bPartialFrame) {
            continue;  // outside a frame
        }
        m_frame.append(c);
        if (c == frames::ETX) {
            done.push_back(m_frame);
            Reset();
        } else if (m_frame.size() > kMaxFrameBytes) {
            Reset();  // no ETX in sight: a runaway frame is dropped
        }
    }
    return done;
}

void FrameAssembler::Reset() {
    m_frame.clear();
    m_bPartialFrame = false;
}
