#include "e2e/PtyCounter.h"

#include "link/CounterFrames.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>

PtyCounter::PtyCounter(int com) : m_env(m_pty.slavePath(), QString("COM%1").arg(com)) {
    if (ok()) {
        m_thread = std::thread([this] { Run(); });
    }
}

PtyCounter::~PtyCounter() {
    Vanish();
}

void PtyCounter::Run() {
    using Clock = std::chrono::steady_clock;
    const int fd = m_pty.master();  // closed only after this thread has ended
    char buf[512];
    double credit = 0;  // bytes a slow line may pass now
    Clock::time_point last = Clock::now();
    while (!m_bStop) {
        pollfd p{fd, POLLIN, 0};
        // Without the console's end open the master reports a hang-up.
        if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) {
            if (p.revents & POLLHUP) {
                ::usleep(5000);
            }
            continue;
        }
        size_t want = sizeof buf;
        if (const int rate = m_nBytesPerMs; rate >= 0) {
            const Clock::time_point now = Clock::now();
            const double ms = std::chrono::duration<double, std::milli>(now - last).count();
            // An idle line saves up no more than a moment's worth.
            credit = std::min<double>(credit + ms * rate, std::max(2 * rate, 1));
            last = now;
            if (credit < 1) {
                ::usleep(1000);
                continue;
            }
            want = static_cast<size_t>(credit);
        } else {
            credit = 0;
            last = Clock::now();
        }
        const ssize_t n = ::read(fd, buf, want);
        if (n <= 0) {
            ::usleep(5000);
            continue;
        }
        credit = std::max(0.0, credit - static_cast<double>(n));
        int enq = 0;
        for (ssize_t i = 0; i < n; ++i) {
            enq += buf[i] == 0x05 ? 1 : 0;
        }
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_received.append(buf, n);
        }
        m_nEnq += enq;
        if (enq > 0 && !m_bSilent) {
            const char ack = 0x06;
            [[maybe_unused]] ssize_t w = ::write(fd, &ack, 1);
        }
    }
}

void PtyCounter::Send(const QByteArray& bytes) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_pty.master() >= 0) {
        [[maybe_unused]] ssize_t w = ::write(m_pty.master(), bytes.constData(), bytes.size());
    }
}

void PtyCounter::SendEvent(const QString& name) {
    Send(frames::EventFrame(name));
}

void PtyCounter::SendCount(const QString& count, const QString& packNo) {
    Send(frames::CountFrame(count, packNo));
}

int PtyCounter::Pending(int settleMs) const {
    const int fd = m_pty.master();
    if (fd < 0) {
        return 0;
    }
    pollfd p{fd, POLLIN, 0};
    (void)::poll(&p, 1, settleMs);
    int n = 0;
    return ::ioctl(fd, FIONREAD, &n) == 0 ? n : 0;
}

QByteArray PtyCounter::Received() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

QByteArray PtyCounter::TakeFrames(qsizetype atLeast, int ms) {
    const auto pending = [this] {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_received.mid(m_taken).replace("\x05", "").replace("\x06", "");
    };
    if (atLeast > 0) {
        [[maybe_unused]] const bool arrived =
            QTest::qWaitFor([&] { return pending().size() >= atLeast; }, ms);
    }
    std::lock_guard<std::mutex> guard(m_lock);
    QByteArray out = m_received.mid(m_taken);
    m_taken = m_received.size();
    return out.replace("\x05", "").replace("\x06", "");
}

void PtyCounter::Vanish() {
    m_bStop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_pty.CloseMaster();
}
