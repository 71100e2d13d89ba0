#include "link/ReceiveLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>

namespace {
// One read takes what the driver holds, up to this many bytes.
constexpr size_t kReadChunk = 4096;
}  // namespace

ReceiveLoop::ReceiveLoop(int fd, QObject* receiver, Handlers handlers)
    : m_fd(fd), m_receiver(receiver), m_handlers(std::move(handlers)) {}

ReceiveLoop::~ReceiveLoop() {
    Stop();
    m_postNotifier.reset();
    for (const int fd : {m_wakeFd, m_postFd}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool ReceiveLoop::Start() {
    if (m_thread.joinable()) {
        return true;
    }
    if (m_wakeFd < 0) {
        m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (m_wakeFd < 0) {
            return false;
        }
    }
    if (m_postFd < 0) {
        m_postFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (m_postFd < 0) {
            return false;
        }
        m_postNotifier = std::make_unique<QSocketNotifier>(m_postFd, QSocketNotifier::Read);
        m_postNotifier->moveToThread(m_receiver->thread());
        QObject::connect(m_postNotifier.get(), &QSocketNotifier::activated, m_receiver,
                         [this] { RunPosted(); });
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = false;
    }
    m_thread = std::thread([this] { Run(); });
    return true;
}

void ReceiveLoop::Stop() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = true;
    }
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) {
        m_thread.join();
    }
}

bool ReceiveLoop::Running() const {
    return m_thread.joinable() && !StopRequested();
}

bool ReceiveLoop::StopRequested() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_bStop;
}

void ReceiveLoop::Post(std::function<void()> call) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(std::move(call));
    }
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_postFd, &one, sizeof one);
}

void ReceiveLoop::RunPosted() {
    uint64_t waiting = 0;
    [[maybe_unused]] ssize_t n = ::read(m_postFd, &waiting, sizeof waiting);
    const std::weak_ptr<bool> alive = m_alive;
    // Only the calls waiting now: those that come meanwhile wait for the next
    // wake-up, so a counter that sends without pause never starves the
    // event loop (timers, input, the console's own sends).
    size_t budget = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        budget = m_calls.size();
    }
    for (; budget > 0; --budget) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_calls.empty()) {
                return;
            }
            call = std::move(m_calls.front());
            m_calls.pop_front();
        }
        call();
        if (alive.expired()) {
            return;
        }
    }
}

void ReceiveLoop::PostLost(const QString& reason) {
    if (m_handlers.lineLost) {
        Post([h = m_handlers.lineLost, reason] { h(reason); });
    }
}

void ReceiveLoop::Run() {
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    while (!StopRequested()) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            PostLost(QString("the line could not be watched (%1)").arg(strerror(errno)));
            return;
        }
        if (StopRequested()) {
            return;
        }
        const short ev = fds[0].revents;
        if (ev & POLLNVAL) {
            PostLost("the port was closed");
            return;
        }
        // Data that arrived before a hang-up is still read and carried out.
        if ((ev & (POLLIN | POLLHUP | POLLERR)) &&
            !ReadAvailable((ev & (POLLHUP | POLLERR)) != 0)) {
            return;
        }
    }
}

bool ReceiveLoop::ReadAvailable(bool hungUp) {
    char buf[kReadChunk];
    const ssize_t n = ::read(m_fd, buf, sizeof buf);
    if (n > 0) {
        const size_t got = static_cast<size_t>(n);
        std::vector<QByteArray> frames =
            m_handlers.split ? m_handlers.split(buf, got) : m_assembler.Feed(buf, got);
        if (!frames.empty() && m_handlers.frames) {
            Post([h = m_handlers.frames, f = std::move(frames)] { h(f); });
        }
        return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR) && !hungUp) {
        return true;
    }
    PostLost(n == 0 ? QString("the line was closed")
                    : QString("the line failed (%1)").arg(strerror(errno)));
    return false;
}
