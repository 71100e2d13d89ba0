#include "link/PtyCounter.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include "link/CounterFrames.h"

PtyPair::PtyPair() {
    int slave = -1;
    char name[256] = {};
    if (openpty(&m_master, &slave, name, nullptr, nullptr) == 0) {
        m_slavePath = QString::fromLocal8Bit(name);
        ::close(slave);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
}

PtyPair::~PtyPair() {
    CloseMaster();
}

void PtyPair::CloseMaster() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

bool PtyPair::SlaveClosed() const {
    pollfd p{m_master, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0;
}

PortEnv::PortEnv(const QString& path, const QString& port) : m_name(("VYN8_" + port).toLatin1()) {
    qputenv(m_name.constData(), path.toLocal8Bit());
}

PortEnv::~PortEnv() {
    qunsetenv(m_name.constData());
}

ScriptedCounter::ScriptedCounter(int master, int ackOnEnq)
    : m_master(master), m_ackOnEnq(ackOnEnq), m_thread([this] { Run(); }) {}

ScriptedCounter::~ScriptedCounter() {
    m_stop = true;
    m_thread.join();
}

void ScriptedCounter::Run() {
    int enqs = 0;
    while (!m_stop) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 5) <= 0 || (p.revents & POLLIN) == 0) {
            if (p.revents & POLLHUP) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            continue;
        }
        char buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        const auto now = Clock::now();
        for (ssize_t i = 0; i < n; ++i) {
            {
                std::lock_guard<std::mutex> g(m_lock);
                m_bytes.append(buf[i]);
                m_times.push_back(now);
            }
            if (buf[i] == frames::ENQ && ++enqs == m_ackOnEnq) {
                (void)::write(m_master, &frames::ACK, 1);
            }
        }
    }
}

QByteArray ScriptedCounter::WaitBytes(int n, int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
        {
            std::lock_guard<std::mutex> g(m_lock);
            if (m_bytes.size() >= n) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::lock_guard<std::mutex> g(m_lock);
    return m_bytes;
}

std::vector<ScriptedCounter::Clock::time_point> ScriptedCounter::Times() {
    std::lock_guard<std::mutex> g(m_lock);
    return m_times;
}

bool ScriptedLineStatus::Query(int fd, uint32_t* errorMask, COMSTAT* stat) {
    ++queries;
    if (failQuery || !m_real.Query(fd, errorMask, stat)) {
        return false;
    }
    *errorMask = nextMask;
    nextMask = 0;
    if (busyQueries > 0) {
        --busyQueries;
        stat->cbOutQue = 7;
    }
    return true;
}
