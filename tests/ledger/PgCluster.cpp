#include "ledger/PgCluster.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

ListeningSocket::ListeningSocket() {
    m_fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_fd, 8) != 0 ||
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    m_port = ntohs(address.sin_port);
}

ListeningSocket::~ListeningSocket() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

namespace {

constexpr const char* kBin = "/usr/lib/postgresql/15/bin";

int FreePort() {
    ListeningSocket probe;
    return probe.Port();
}

}  // namespace

PgCluster::PgCluster(bool durable) : m_bin(kBin) {
    if (!QFile::exists(m_bin + "/initdb") || !QSqlDatabase::isDriverAvailable("QPSQL")) {
        m_missing = true;
        m_problem =
            "skipped: the PostgreSQL 15 server (postgresql-15) and Qt's PostgreSQL driver "
            "(libqt6sql6-psql) are needed";
        return;
    }
    if (geteuid() == 0 && chown(qPrintable(m_dir.path()), 65534, 65534) != 0) {
        m_problem = "the cluster's folder cannot be given to nobody";
        return;
    }
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther);
    m_port = FreePort();
    QString output;
    if (!Run(m_bin + "/initdb",
             {"-D", m_dir.filePath("data"), "-U", "admin", "-A", "trust",
              "--auth-host=scram-sha-256", "-E", "UTF8", "--no-sync"},
             &output)) {
        m_problem = "initdb failed: " + output;
        return;
    }
    QFile conf(m_dir.filePath("data/postgresql.conf"));
    conf.open(QIODevice::Append);
    conf.write(QString("port = %1\nlisten_addresses = '127.0.0.1'\nunix_socket_directories = '%2'\n"
                       "fsync = %3\n")
                   .arg(m_port)
                   .arg(m_dir.path(), durable ? "on" : "off")
                   .toUtf8());
    conf.close();
    Start();
}

PgCluster::~PgCluster() {
    if (!m_missing && QFile::exists(m_dir.filePath("data/postmaster.pid"))) {
        Run(m_bin + "/pg_ctl", {"-D", m_dir.filePath("data"), "-m", "immediate", "stop"});
    }
}

bool PgCluster::Run(const QString& program, const QStringList& args, QString* output) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (geteuid() == 0) {
        p.start("setpriv",
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args);
    } else {
        p.start(program, args);
    }
    const bool done = p.waitForFinished(60000);
    if (output) {
        *output = QString::fromLocal8Bit(p.readAll());
    }
    return done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PgCluster::Start() {
    QString output;
    if (!Run(m_bin + "/pg_ctl",
             {"-D", m_dir.filePath("data"), "-l", m_dir.filePath("log.txt"), "-w", "start"},
             &output)) {
        m_problem = "the server did not start: " + output;
        return false;
    }
    m_problem.clear();
    return true;
}

bool PgCluster::Stop() {
    return Run(m_bin + "/pg_ctl", {"-D", m_dir.filePath("data"), "-m", "fast", "-w", "stop"});
}

QString PgCluster::Conninfo(const QString& database, const QString& user) const {
    return QString("host=%1 port=%2 dbname=%3 user=%4")
        .arg(m_dir.path())
        .arg(m_port)
        .arg(database, user);
}

QString PgCluster::Admin(const QString& database, const QString& sql) const {
    static std::atomic<int> counter{0};
    const QString name = QString("pg-cluster-admin-%1").arg(++counter);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setConnectOptions(Conninfo(database));
        if (!db.open()) {
            error = db.lastError().text();
        } else if (QSqlQuery q(db); !q.exec(sql)) {
            error = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}
