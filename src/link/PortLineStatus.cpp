#include "link/PortLineStatus.h"

#include <sys/ioctl.h>

namespace {

uint32_t MaskFromDelta(const serial_icounter_struct& now, const serial_icounter_struct& was) {
    uint32_t mask = 0;
    mask |= now.buf_overrun != was.buf_overrun ? CE_RXOVER : 0;
    mask |= now.overrun != was.overrun ? CE_OVERRUN : 0;
    mask |= now.parity != was.parity ? CE_RXPARITY : 0;
    mask |= now.frame != was.frame ? CE_FRAME : 0;
    mask |= now.brk != was.brk ? CE_BREAK : 0;
    return mask;
}

}  // namespace

bool PortLineStatus::Query(int fd, uint32_t* errorMask, COMSTAT* stat) {
    int inQueue = 0;
    int outQueue = 0;
    if (fd < 0 || ioctl(fd, FIONREAD, &inQueue) != 0 || ioctl(fd, TIOCOUTQ, &outQueue) != 0) {
        return false;
    }
    stat->holdFlags = 0;  // no flow control: nothing ever holds the line
    stat->cbInQue = static_cast<uint32_t>(inQueue);
    stat->cbOutQue = static_cast<uint32_t>(outQueue);
    *errorMask = 0;

    std::lock_guard<std::mutex> guard(m_lock);
    serial_icounter_struct now{};
    if (ioctl(fd, TIOCGICOUNT, &now) != 0) {
        return true;  // the driver keeps no error counts
    }
    if (m_bHaveCounts && m_fd == fd) {
        *errorMask = MaskFromDelta(now, m_last);
    }
    m_fd = fd;
    m_last = now;
    m_bHaveCounts = true;
    return true;
}

void PortLineStatus::Rebase() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bHaveCounts = false;
}
