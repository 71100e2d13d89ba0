#include "ledger/ServerSync.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QRegularExpression>
#include <QSocketNotifier>
#include <algorithm>
#include <chrono>

#include "ledger/LedgerSync.h"
#include "ledger/PgLedgerSchema.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/SqliteLedgerStore.h"

ServerSync::ServerSync(const QString& ledgerFile, const QString& conninfo, const QString& station,
                       int intervalMs, QObject* parent)
    : QObject(parent),
      m_ledgerFile(ledgerFile),
      m_conninfo(conninfo),
      m_station(station),
      m_intervalMs(intervalMs),
      m_eventFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    m_notifier = new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ServerSync::TakeState);
    m_asked = 1;  // the first attempt at once
    m_thread = std::thread([this] { Run(); });
}

ServerSync::~ServerSync() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    delete m_notifier;
    close(m_eventFd);
}

void ServerSync::SendSoon() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_asked;
    }
    m_wake.notify_all();
}

ServerSyncState ServerSync::SendAndWait() {
    std::unique_lock<std::mutex> lock(m_lock);
    const quint64 mine = ++m_asked;
    m_wake.notify_all();
    m_wake.wait(lock, [&] { return m_answered >= mine || m_stop; });
    m_stateNew = false;
    return m_state;
}

void ServerSync::ReadAgain() {
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_readEpoch;
    m_read.clear();
}

void ServerSync::Run() {
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop) {
        m_wake.wait_for(lock, std::chrono::milliseconds(m_intervalMs),
                        [&] { return m_stop || m_asked > m_answered; });
        if (m_stop) {
            break;
        }
        const quint64 asked = m_asked;
        // Read more only once the window has taken what was read before.
        const bool mayRead = m_read.empty();
        const quint64 epoch = m_readEpoch;
        lock.unlock();
        ServerSyncState state = Attempt(mayRead, epoch);
        lock.lock();
        m_answered = std::max(m_answered, asked);
        if (mayRead && epoch == m_readEpoch) {
            m_moreToRead = state.read.size() == static_cast<size_t>(kReadMost);
            m_read = std::move(state.read);
        }
        state.read.clear();
        m_state = std::move(state);
        m_stateNew = true;
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = write(m_eventFd, &one, sizeof one);
        m_wake.notify_all();
    }
    lock.unlock();
    // The connections belong to this thread: they end here.
    m_server.reset();
    m_local.reset();
}

void ServerSync::TakeState() {
    quint64 count = 0;
    [[maybe_unused]] const ssize_t n = read(m_eventFd, &count, sizeof count);
    ServerSyncState state;
    bool more = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_stateNew) {
            return;
        }
        m_stateNew = false;
        state = m_state;
        state.read = std::move(m_read);
        m_read.clear();
        more = m_moreToRead;
    }
    emit stateChanged(state);
    if (more) {
        SendSoon();
    }
}

QString ServerSync::SentNote() const {
    return "sent to " + ServerLocation(m_conninfo);
}

QString ServerSync::ReadNote(const QString& conninfo) {
    return "read from " + ServerLocation(conninfo);
}

ServerSyncState ServerSync::Attempt(bool mayRead, quint64 readEpoch) {
    ServerSyncState state;
    state.server = ShortName(m_conninfo);
    state.known = true;
    if (!m_local) {
        m_local = SqliteLedgerStore::Open(m_ledgerFile, &state.problem);
        // What an earlier run knew the server to have.
        LedgerProblem ignored;
        m_lastOnServer =
            m_local ? m_local->Note(SentNote(), &ignored).value_or("0").toLongLong() : 0;
    }
    if (m_local && readEpoch != m_readEpochSeen) {
        // The window keeps what was read, and notes the last: read on from there.
        LedgerProblem ignored;
        m_lastRead = m_local->Note(ReadNote(m_conninfo), &ignored).value_or("0").toLongLong();
        m_readEpochSeen = readEpoch;
    }
    if (m_local && !m_server) {
        m_server = PgLedgerStore::Open(m_conninfo, &state.problem);
    }
    if (m_server) {
        const SyncReport report = SendWaiting(*m_local, *m_server, m_station);
        state.problem = report.problem;
        if (report.serverLast && *report.serverLast != m_lastOnServer) {
            m_lastOnServer = *report.serverLast;
            m_local->SetNote(SentNote(), QString::number(m_lastOnServer));
        }
    }
    if (m_server && mayRead && !state.problem.IsProblem()) {
        state.read = m_server->Since(m_lastRead, kReadMost, &state.problem);
        if (!state.read.empty()) {
            m_lastRead = state.read.back().id;
        }
    }
    if (state.problem.IsProblem()) {
        // The connection may be dead: the next attempt makes a new one.
        m_server.reset();
    }
    if (m_local) {
        LedgerProblem ignored;
        state.waiting =
            std::max<qint64>(0, m_local->LastSequence(m_station, &ignored) - m_lastOnServer);
    }
    state.reachable = m_server != nullptr;
    return state;
}

QString ServerSync::ShortName(const QString& conninfo) {
    for (const char* key : {"service", "host"}) {
        const QRegularExpression pair(QString(R"((?:^|\s)%1\s*=\s*'?([^'\s]+))").arg(key));
        if (const auto m = pair.match(conninfo); m.hasMatch()) {
            return m.captured(1);
        }
    }
    static const QRegularExpression uri(R"(^postgres(?:ql)?://(?:[^@/]*@)?([^/:?]+))");
    if (const auto m = uri.match(conninfo); m.hasMatch()) {
        return m.captured(1);
    }
    return conninfo.trimmed();
}
