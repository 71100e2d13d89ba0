#pragma once

#include <QByteArray>
#include <QString>

#include "link/SendFrame.h"

class cSerialCom;

// Who sends a frame: decides the message shown when its write fails.
enum class FrameSender {
    Program,     // "Send Message Error"
    Start,       // "Start Error"
    Zero,        // "Clear Counter Error"
    Dump,        // " Pause Error"
    Stop,        // "STOP Error"
    Done,        // "Done Error"
    Reset,       // "Reset Error"
    Recycle,     // "Recycle Error"
    Disconnect,  // "Disconnect Error"
    FeedSpeed,   // "Send Message Error"
};

QString SendFailureMessage(FrameSender sender);

// Shows what went wrong on `channel` since it was last asked, oldest first,
// each in a box with its caption and the stop icon. Nothing without a channel.
void ReportLinkErrors(cSerialCom* channel);

// Sends `frame` (SendFrame), shows the line errors met on the way, and when
// the write failed the sender's message with caption "Error".
SendResult SendAndReport(cSerialCom* channel, const QByteArray& frame, FrameSender sender);
