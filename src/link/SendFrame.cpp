#include "link/SendFrame.h"

#include "link/cSerialCom.h"
#include "platform/Prompter.h"

QString SendFailureMessage(FrameSender sender) {
    switch (sender) {
        case FrameSender::Program:
            return "Send Message Error";
        case FrameSender::Start:
            return "Start Error";
        case FrameSender::Zero:
            return "Clear Counter Error";
        case FrameSender::Dump:
            return " Pause Error";
        case FrameSender::Stop:
            return "STOP Error";
        case FrameSender::Done:
            return "Done Error";
        case FrameSender::Reset:
            return "Reset Error";
        case FrameSender::Recycle:
            return "Recycle Error";
        case FrameSender::Disconnect:
            return "Disconnect Error";
        case FrameSender::FeedSpeed:
            return "Send Message Error";
    }
    return "Send Message Error";
}

SendResult SendFrame(cSerialCom* channel, const QByteArray& frame, FrameSender sender) {
    // Without a channel the frame cannot go out: that is a failed write the
    // operator has to hear of, never a silent success.
    const int written = channel ? channel->Write(frame) : 0;
    if (written == 200) {
        return SendResult::Skipped;
    }
    if (written == 0) {
        PromptError(SendFailureMessage(sender));
        return SendResult::Failed;
    }
    return SendResult::Sent;
}
