// vyn8-balance: a laboratory balance at the other end of a serial line. It
// answers the console's weighing commands (S, SI, Z, T, I4) with weights
// given on its command line or in a script, and can be noisy, slow to
// settle, overloaded, set to a unit the console does not know, or silent.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "BalanceMachine.h"
#include "link/BalanceReply.h"
#include "link/LineSettings.h"
#include "link/PortIo.h"
#include "sim-common/SimPty.h"

namespace {

const char kUsage[] =
    "usage: vyn8-balance --link PATH | --device PATH [options]\n"
    "  --link PATH        serve a pseudo-terminal, PATH a symbolic link to it\n"
    "  --device PATH      answer on a real serial port (--baud N, default 9600)\n"
    "  --weights W,W,...  the weights in grams, one per weighing\n"
    "  --script FILE      the weighings, one a line: \"12.5\", \"12.5 unstable 3\",\n"
    "                     \"12.5 unit lb\", \"overload\", \"underload\", \"silence\"\n"
    "  --unit U           the unit the balance weighs in (g; mg, kg, or any other)\n"
    "  --decimals N       digits after the point (4)\n"
    "  --noise G          add up to +-G grams to each weight\n"
    "  --unstable N       answer \"S I\" N times before each stable weight\n"
    "  --serial TEXT      the serial number I4 gives\n"
    "  --print-every MS   press the print key every MS ms (unasked weights)\n"
    "  --split            send each answer in pieces\n"
    "  --silent           never answer\n"
    "  --delay MS         answer each command MS ms late\n"
    "  --log              print the lines both ways\n";

struct Options {
    QString link, device, script;
    int baud = 9600;
    int printEveryMs = 0;
    int delayMs = 0;
    bool split = false, silent = false, log = false;
    BalanceMachine::Options machine;
    std::vector<BalanceMachine::Step> plan;
};

bool Parse(int argc, char** argv, Options* o, QString* error) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    QString weights;
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&] { return args[++i]; };
        bool ok = true;
        if (a == "--split") {
            o->split = true;
        } else if (a == "--silent") {
            o->silent = true;
        } else if (a == "--log") {
            o->log = true;
        } else if (!hasValue) {
            *error = a == "--help" || a == "-h"
                         ? QString(kUsage)
                         : QString("unknown or incomplete option %1\n%2").arg(a, kUsage);
            return false;
        } else if (a == "--link") {
            o->link = value();
        } else if (a == "--device") {
            o->device = value();
        } else if (a == "--script") {
            o->script = value();
        } else if (a == "--weights") {
            weights = value();
        } else if (a == "--unit") {
            o->machine.unit = value();
        } else if (a == "--serial") {
            o->machine.serial = value();
        } else if (a == "--baud") {
            o->baud = value().toInt(&ok);
        } else if (a == "--decimals") {
            o->machine.decimals = value().toInt(&ok);
        } else if (a == "--noise") {
            o->machine.noise = value().toDouble(&ok);
        } else if (a == "--unstable") {
            o->machine.unstable = value().toInt(&ok);
        } else if (a == "--delay") {
            o->delayMs = value().toInt(&ok);
        } else if (a == "--print-every") {
            o->printEveryMs = value().toInt(&ok);
        } else {
            *error = QString("unknown option %1\n%2").arg(a, kUsage);
            return false;
        }
        if (!ok) {
            *error = QString("%1 wants a number\n").arg(a);
            return false;
        }
    }
    if (o->link.isEmpty() == o->device.isEmpty()) {
        *error = QString("give --link or --device\n%1").arg(kUsage);
        return false;
    }
    QStringList lines = weights.split(',', Qt::SkipEmptyParts);
    if (!o->script.isEmpty()) {
        QFile f(o->script);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            *error = QString("cannot read %1\n").arg(o->script);
            return false;
        }
        lines += QString::fromUtf8(f.readAll()).split('\n');
    }
    for (const QString& line : lines) {
        BalanceMachine::Step step;
        bool empty = false;
        if (!ParsePlanLine(line, &step, &empty, error)) {
            *error += "\n";
            return false;
        }
        if (!empty) {
            o->plan.push_back(step);
        }
    }
    return true;
}

class Line {
public:
    explicit Line(const Options& o) : m_o(o) {}
    ~Line() {
        if (!m_o.link.isEmpty()) {
            ::unlink(m_o.link.toLocal8Bit().constData());
        }
        for (int fd : {m_fd, m_slave}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    bool Open(QString* error) {
        if (!m_o.device.isEmpty()) {
            m_fd = ::open(m_o.device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            if (m_fd < 0 ||
                line::Configure(m_fd, line::LineSpec{m_o.baud, 8, 'N', 1}) != line::SetResult::Ok) {
                *error = QString("cannot use %1: %2").arg(m_o.device, strerror(errno));
                return false;
            }
            m_served = m_o.device;
            return true;
        }
        return OpenPtyLink(m_o.link, line::LineSpec{}, &m_fd, &m_slave, &m_served, error);
    }
    int fd() const { return m_fd; }
    QString Served() const { return m_served; }
    void Send(const QByteArray& line) {
        Log("->", line);
        const QByteArray bytes = line + "\r\n";
        if (!m_o.split) {
            WriteAll(m_fd, bytes.constData(), static_cast<size_t>(bytes.size()));
            return;
        }
        // In pieces of three bytes, a moment apart: the reader must join them.
        for (qsizetype i = 0; i < bytes.size(); i += 3) {
            const QByteArray piece = bytes.mid(i, 3);
            WriteAll(m_fd, piece.constData(), static_cast<size_t>(piece.size()));
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
    }
    void Log(const char* way, const QByteArray& line) const {
        if (m_o.log) {
            printf("%s %s\n", way, line.constData());
            fflush(stdout);
        }
    }

private:
    const Options& m_o;
    int m_fd = -1;
    int m_slave = -1;  // held open so the line lives between connections
    QString m_served;
};

}  // namespace

int main(int argc, char** argv) {
    Options o;
    QString error;
    if (!Parse(argc, argv, &o, &error)) {
        fprintf(stderr, "%s", qPrintable(error));
        return error.startsWith("usage") ? 0 : 2;
    }
    CatchStopSignals();

    Line line(o);
    if (!line.Open(&error)) {
        fprintf(stderr, "vyn8-balance: %s\n", qPrintable(error));
        return 2;
    }
    printf("vyn8-balance: serving %s", qPrintable(line.Served()));
    if (!o.link.isEmpty()) {
        printf(" as %s", qPrintable(o.link));
    }
    printf("\n");
    fflush(stdout);

    BalanceMachine machine(o.machine, o.plan);
    balance::LineAssembler lines;
    using Clock = std::chrono::steady_clock;
    auto nextPrint = Clock::now() + std::chrono::milliseconds(o.printEveryMs);
    while (!g_simStop) {
        int waitMs = 200;
        if (o.printEveryMs > 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(nextPrint - Clock::now()).count();
            waitMs = static_cast<int>(std::clamp<long long>(left, 0, 200));
        }
        pollfd p{line.fd(), POLLIN, 0};
        if (::poll(&p, 1, waitMs) > 0) {
            char buf[256];
            const ssize_t n = ::read(line.fd(), buf, sizeof buf);
            if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
                fprintf(stderr, "vyn8-balance: the line is gone\n");
                return 1;
            }
            if (n <= 0) {
                // Nobody holds the other end: wait for the next opener.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            for (const QByteArray& command : lines.Feed(buf, n > 0 ? static_cast<size_t>(n) : 0)) {
                line.Log("<-", command);
                if (o.silent) {
                    continue;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(o.delayMs));
                for (const QByteArray& answer : machine.Answer(command)) {
                    line.Send(answer);
                }
            }
        }
        if (o.printEveryMs > 0 && Clock::now() >= nextPrint) {
            nextPrint = Clock::now() + std::chrono::milliseconds(o.printEveryMs);
            const QByteArray printed = machine.PrintKey();
            if (!printed.isEmpty()) {
                line.Send(printed);
            }
        }
    }
    return 0;
}
