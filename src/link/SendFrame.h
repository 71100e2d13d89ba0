#pragma once

#include <QByteArray>

class cSerialCom;

// Which command a frame carries (the console words a failed write by it).
enum class FrameSender {
    Program,
    Start,
    Zero,
    Dump,
    Stop,
    Done,
    Reset,
    Recycle,
    Disconnect,
    FeedSpeed
};

enum class SendResult { Sent, Skipped, Failed };

// The shared send step: line check, skip when the output queue is busy (as
// if sent), else one write. Without a channel, or when the write fails, the
// result is Failed; line errors seen on the way are kept in the channel
// (cSerialCom::TakeErrors). Releasing the channel is the caller's part.
SendResult SendFrame(cSerialCom* channel, const QByteArray& frame);
