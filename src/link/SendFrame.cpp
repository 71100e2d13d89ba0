#include "link/SendFrame.h"

#include "link/cSerialCom.h"

SendResult SendFrame(cSerialCom* channel, const QByteArray& frame) {
    // Without a channel the frame cannot go out: that is a failed write the
    // operator has to hear of, never a silent success.
    const int written = channel ? channel->Write(frame) : 0;
    if (written == 200) {
        return SendResult::Skipped;
    }
    return written == 0 ? SendResult::Failed : SendResult::Sent;
}
