#pragma once

#include <linux/serial.h>

#include <mutex>

#include "link/cSerialCom.h"

// The line status of a real port: bytes waiting in each direction, and the
// overrun, parity, framing and break errors counted by the driver since the
// previous query (none where the driver keeps no counts, as on a
// pseudo-terminal). Safe to query from two threads.
class PortLineStatus : public ILineStatus {
public:
    bool Query(int fd, uint32_t* errorMask, COMSTAT* stat) override;
    // Forgets the counts seen so far (a new port was opened).
    void Rebase();

private:
    std::mutex m_lock;
    int m_fd = -1;
    bool m_bHaveCounts = false;
    serial_icounter_struct m_last{};
};
