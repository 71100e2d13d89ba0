#pragma once

#include <QByteArray>

#include "link/SendFrame.h"

// Where the count session's frames go: the serial channel to the counter,
// or a recording fake in tests.
class CounterPort {
public:
    virtual ~CounterPort() = default;
    // Writes one frame; Failed means the line is gone.
    virtual SendResult Send(const QByteArray& frame, FrameSender sender) = 0;
};
