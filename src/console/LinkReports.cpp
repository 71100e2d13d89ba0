#include "console/LinkReports.h"

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

void ReportLinkErrors(cSerialCom* channel) {
    if (!channel) {
        return;
    }
    for (const LinkError& error : channel->TakeErrors()) {
        PromptError(error.text, error.caption);
    }
}

SendResult SendAndReport(cSerialCom* channel, const QByteArray& frame, FrameSender sender) {
    const SendResult sent = SendFrame(channel, frame);
    ReportLinkErrors(channel);
    if (sent == SendResult::Failed) {
        PromptError(SendFailureMessage(sender));
    }
    return sent;
}
