#include "link/SimHarness.h"

#include <poll.h>
#include <unistd.h>

#include <QElapsedTimer>

#include "link/CounterFrames.h"

SimProcess::SimProcess(const QStringList& options, const QString& program, const QString& linkName)
    : m_linkName(linkName) {
    m_process.start(VYN8_BINARY_DIR "/" + program, QStringList{"--link", Link()} + options);
    QElapsedTimer t;
    t.start();
    // A busy machine may take a while to start it: wait for its first line.
    QByteArray out;
    while (!m_bStarted && t.elapsed() < 5000 && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(100);
        out += m_process.readAllStandardOutput();
        m_bStarted = out.contains("serving");
    }
}

SimProcess::~SimProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(2000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

SimLink::SimLink(const QStringList& options) : sim(options), env(sim.Link()) {
    connected = sim.Started() && com.Open("COM1", "9600") && com.SetTimeouts();
}

bool FrameReader::ReadOnce(int waitMs, QStringList* out) {
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0) {
        return false;
    }
    char buf[99];
    const ssize_t n = ::read(m_fd, buf, sizeof buf);
    if (n <= 0) {
        m_bHungUp = (p.revents & POLLHUP) != 0 || n < 0;
        return false;
    }
    for (const QByteArray& f : m_assembler.Feed(buf, static_cast<size_t>(n))) {
        const frames::CounterMessage m = frames::Decode(f);
        *out << (m.kind == frames::CounterMessage::Event   ? m.event
                 : m.kind == frames::CounterMessage::Count ? m.count + "/" + m.packNo
                                                           : QString("?"));
    }
    return true;
}

QStringList FrameReader::ReadUntil(const QString& last, int ms) {
    QStringList out;
    QElapsedTimer t;
    t.start();
    while (!out.contains(last) && !m_bHungUp && t.elapsed() < ms) {
        ReadOnce(20, &out);
    }
    return out;
}

QStringList FrameReader::ReadFor(int ms) {
    QStringList out;
    QElapsedTimer t;
    t.start();
    while (!m_bHungUp && t.elapsed() < ms) {
        ReadOnce(static_cast<int>(std::max<qint64>(1, ms - t.elapsed())), &out);
    }
    return out;
}
