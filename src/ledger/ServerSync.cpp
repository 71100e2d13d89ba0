#include "ledger/ServerSync.h"

#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "ledger/LedgerSync.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/SqliteLedgerStore.h"

// Lives on the sync thread: both connections are made and used there only.
class ServerSyncWorker : public QObject {
    Q_OBJECT
public:
    ServerSyncWorker(QString ledgerFile, QString conninfo, QString station, int intervalMs)
        : m_ledgerFile(std::move(ledgerFile)),
          m_conninfo(std::move(conninfo)),
          m_station(std::move(station)),
          m_intervalMs(intervalMs) {}

    void Begin() {
        m_timer = new QTimer(this);
        m_timer->setInterval(m_intervalMs);
        connect(m_timer, &QTimer::timeout, this, &ServerSyncWorker::Attempt);
        m_timer->start();
        Attempt();
    }
    void End() {
        delete m_timer;
        m_timer = nullptr;
        m_server.reset();
        m_local.reset();
    }

    ServerSyncState Attempt() {
        ServerSyncState state;
        state.server = ServerSync::ShortName(m_conninfo);
        state.known = true;
        if (!m_local) {
            m_local = SqliteLedgerStore::Open(m_ledgerFile, &state.problem);
        }
        if (m_local && !m_server) {
            m_server = PgLedgerStore::Open(m_conninfo, &state.problem);
        }
        if (m_server) {
            const SyncReport report = SendWaiting(*m_local, *m_server, m_station);
            state.problem = report.problem;
            m_lastOnServer = report.serverLast.value_or(m_lastOnServer);
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
        emit stateChanged(state);
        return state;
    }

signals:
    void stateChanged(const ServerSyncState& state);

private:
    QString m_ledgerFile;
    QString m_conninfo;
    QString m_station;
    int m_intervalMs;
    QTimer* m_timer = nullptr;
    std::unique_ptr<SqliteLedgerStore> m_local;
    std::unique_ptr<PgLedgerStore> m_server;
    qint64 m_lastOnServer = 0;  // this station's last sequence the server had
};

ServerSync::ServerSync(const QString& ledgerFile, const QString& conninfo, const QString& station,
                       int intervalMs, QObject* parent)
    : QObject(parent),
      m_thread(new QThread),
      m_worker(new ServerSyncWorker(ledgerFile, conninfo, station, intervalMs)) {
    qRegisterMetaType<ServerSyncState>();
    m_worker->moveToThread(m_thread);
    connect(m_worker, &ServerSyncWorker::stateChanged, this, &ServerSync::stateChanged);
    m_thread->start();
    QMetaObject::invokeMethod(m_worker, &ServerSyncWorker::Begin);
}

ServerSync::~ServerSync() {
    QMetaObject::invokeMethod(m_worker, &ServerSyncWorker::End, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

void ServerSync::SendSoon() {
    QMetaObject::invokeMethod(m_worker, [this] { m_worker->Attempt(); });
}

ServerSyncState ServerSync::SendAndWait() {
    ServerSyncState state;
    QMetaObject::invokeMethod(
        m_worker, [this, &state] { state = m_worker->Attempt(); }, Qt::BlockingQueuedConnection);
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

#include "ServerSync.moc"
