#include "SimLine.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/CounterFrames.h"
#include "link/LineSettings.h"
#include "link/PortIo.h"
#include "sim-common/SimPty.h"

namespace {

constexpr int kWriteStallMs = 10000;
constexpr int kDrainMs = 1000;
constexpr int kDrainStepMs = 5;
constexpr int kSettleMs = 30;

QByteArray Local(const QString& s) {
    return s.toLocal8Bit();
}

}  // namespace

bool SimLine::Open(QString* error) {
    if (!m_options.devicePath.isEmpty()) {
        m_fd = ::open(Local(m_options.devicePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0 || line::Configure(m_fd, m_options.baud) != line::SetResult::Ok) {
            *error = QString("cannot use %1: %2").arg(m_options.devicePath, strerror(errno));
            return false;
        }
        m_servedPath = m_options.devicePath;
        return true;
    }
    return OpenPtyLink(m_options.linkPath, line::CounterLine(m_options.baud), &m_fd, &m_slaveFd,
                       &m_servedPath, error);
}

void SimLine::Drain() {
    if (m_slaveFd < 0) {
        tcdrain(m_fd);
        return;
    }
    // Closing the pty would throw away what the console has not read yet.
    // Written bytes reach the console's queue a moment later, so wait that
    // moment before looking.
    int unread = 0;
    usleep(kSettleMs * 1000);
    for (int waited = 0; waited < kDrainMs; waited += kDrainStepMs) {
        if (ioctl(m_slaveFd, FIONREAD, &unread) != 0 || unread == 0) {
            return;
        }
        usleep(kDrainStepMs * 1000);
    }
}

void SimLine::Close() {
    if (m_fd >= 0) {
        Drain();
    }
    if (m_fd >= 0 && !m_options.linkPath.isEmpty()) {
        ::unlink(Local(m_options.linkPath).constData());
    }
    for (int* fd : {&m_fd, &m_slaveFd}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

SimLine::Input SimLine::Read() {
    Input in;
    char buf[512];
    const ssize_t n = ::read(m_fd, buf, sizeof buf);
    if (n < 0) {
        in.hangup = errno != EAGAIN && errno != EINTR;
        return in;
    }
    if (n == 0 && !m_options.devicePath.isEmpty()) {
        in.hangup = true;
    }
    for (ssize_t i = 0; i < n; ++i) {
        const char c = buf[i];
        if (!m_assembler.Pending() && (c == frames::ENQ || c == frames::ACK)) {
            Log("<-", QByteArray(1, c));
            if (c == frames::ENQ) {
                OnEnq();
            } else if (m_bAckSent) {
                m_bAckSent = false;
                in.sessionStarted = true;
            }
            continue;
        }
        for (const QByteArray& f : m_assembler.Feed(&c, 1)) {
            Log("<-", f);
            in.frames.push_back(f);
        }
    }
    return in;
}

void SimLine::OnEnq() {
    if (m_options.silent || ++m_nEnqSeen < m_options.ackAfter) {
        return;
    }
    m_nEnqSeen = 0;
    if (m_slaveFd >= 0) {
        tcflush(m_slaveFd, TCIFLUSH);  // nothing stale for the new connection
    }
    m_assembler.Reset();
    m_bAckSent = WriteAll(m_fd, &frames::ACK, 1);
    Log("->", QByteArray(1, frames::ACK));
}

bool SimLine::Send(const QByteArray& frame) {
    Log("->", frame);
    ++m_nFramesSent;
    const bool ok = WriteAll(m_fd, frame.constData(), static_cast<size_t>(frame.size()), nullptr,
                             kWriteStallMs);
    if (!ok) {
        fprintf(stderr, "vyn8-counter: the line did not take %s\n",
                qPrintable(frames::Readable(frame)));
    }
    return ok;
}

void SimLine::Log(const char* direction, const QByteArray& bytes) const {
    if (m_options.log) {
        printf("%s %s\n", direction, qPrintable(frames::Readable(bytes)));
        fflush(stdout);
    }
}
