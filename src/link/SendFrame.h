#pragma once

#include <QByteArray>
#include <QString>

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

enum class SendResult { Sent, Skipped, Failed };

QString SendFailureMessage(FrameSender sender);

// The shared send step: line check, skip when the output queue is busy (as
// if sent), else one write. A failed write shows the sender's message with
// caption "Error"; releasing the channel is the caller's part.
SendResult SendFrame(cSerialCom* channel, const QByteArray& frame, FrameSender sender);
