#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A TCP port on 127.0.0.1 that takes connections and never answers.
class ListeningSocket {
public:
    ListeningSocket();
    ~ListeningSocket();
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;
    int Port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// A throw-away PostgreSQL 15 cluster for the tests: initdb and postgres in a
// temporary folder, on a Unix socket there and on 127.0.0.1 at a free port.
// The server refuses to run as root, so under root it runs as nobody. Local
// (socket) logins are trusted; logins over TCP need a password.
class PgCluster {
public:
    // `durable`: the server syncs its writes to the disk (benchmarks); the
    // tests' server does not.
    explicit PgCluster(bool durable = false);
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // Empty when the cluster runs; otherwise why not (for GTEST_SKIP or a failure).
    const QString& Problem() const { return m_problem; }
    bool Missing() const { return m_missing; }

    // A libpq connection string to `database` on the socket as `user`.
    QString Conninfo(const QString& database, const QString& user = "admin") const;
    int Port() const { return m_port; }
    // Runs `sql` in `database` as the administrator; the error text, or empty.
    QString Admin(const QString& database, const QString& sql) const;

    bool Stop();
    bool Start();

private:
    bool Run(const QString& program, const QStringList& args, QString* output = nullptr) const;

    QTemporaryDir m_dir;
    QString m_bin;
    int m_port = 0;
    bool m_missing = false;
    QString m_problem;
};
