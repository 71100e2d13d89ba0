#pragma once

#include <QByteArray>
#include <QString>

#include "link/CounterPort.h"
#include "link/SendFrame.h"

class cSerialCom;

// The message shown when the sender's frame could not be written.
QString SendFailureMessage(FrameSender sender);

// Shows what went wrong on `channel` since it was last asked, oldest first,
// each in a box with its caption and the stop icon. Nothing without a channel.
void ReportLinkErrors(cSerialCom* channel);

// Sends `frame` (SendFrame), shows the line errors met on the way, and when
// the write failed the sender's message with caption "Error".
SendResult SendAndReport(cSerialCom* channel, const QByteArray& frame, FrameSender sender);

// The count session's port over the serial channel: each frame sent with
// SendAndReport, so the operator hears of every failure in the console's words.
class ReportingPort : public CounterPort {
public:
    explicit ReportingPort(cSerialCom* channel) : m_channel(channel) {}
    SendResult Send(const QByteArray& frame, FrameSender sender) override {
        return SendAndReport(m_channel, frame, sender);
    }

private:
    cSerialCom* m_channel;
};
