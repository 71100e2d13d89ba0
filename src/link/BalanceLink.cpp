#include "link/BalanceLink.h"

#include <cerrno>
#include <utility>

#include "link/PortAccess.h"
#include "link/PortIo.h"
#include "link/ReceiveLoop.h"
#include "platform/PortMap.h"

namespace {

QString DevicePath(const QString& port) {
    return port.startsWith('/') ? port : PortDevicePath(port);
}

}  // namespace

BalanceLink::BalanceLink(Listener listener, Timing timing)
    : m_listener(std::move(listener)), m_timing(timing) {
    m_answerTimer.setSingleShot(true);
    m_retryTimer.setSingleShot(true);
    QObject::connect(&m_answerTimer, &QTimer::timeout, &m_receiver, [this] { OnSilence(); });
    QObject::connect(&m_retryTimer, &QTimer::timeout, &m_receiver, [this] {
        if (m_pending == "S" && Send(balance::Command("S"))) {
            m_answerTimer.start(m_timing.answerMs);
        }
    });
}

BalanceLink::~BalanceLink() {
    Close();
}

QString BalanceLink::Open(const QString& port, const line::LineSpec& spec) {
    Close();
    m_device = DevicePath(port);
    m_fd = OpenExclusive(m_device);
    if (m_fd < 0) {
        const int err = errno;
        return QStringLiteral("The balance's port %1 could not be opened.\n%2")
            .arg(port, PortOpenErrorText(m_device, err, PortAccessOf(m_device)));
    }
    if (line::Configure(m_fd, spec) != line::SetResult::Ok) {
        Close();
        return QStringLiteral(
                   "The balance's port %1 does not take the line settings %2 baud, "
                   "%3 data bits, parity %4, %5 stop bits.")
            .arg(port)
            .arg(spec.baud)
            .arg(spec.dataBits)
            .arg(QChar(spec.parity))
            .arg(spec.stopBits);
    }
    (void)line::SetImmediateReads(m_fd);
    m_lines = std::make_shared<balance::LineAssembler>();
    ReceiveLoop::Handlers h;
    h.frames = [this](const std::vector<QByteArray>& lines) {
        for (const QByteArray& l : lines) {
            OnLine(l);
            if (!IsOpen()) {
                return;  // a listener closed the link
            }
        }
    };
    h.lineLost = [this](const QString& reason) { OnLineLost(reason); };
    h.split = [lines = m_lines](const char* data, size_t n) { return lines->Feed(data, n); };
    m_loop = std::make_unique<ReceiveLoop>(m_fd, &m_receiver, std::move(h));
    if (!m_loop->Start()) {
        Close();
        return QStringLiteral("The balance's line could not be watched.");
    }
    return QString();
}

void BalanceLink::Close() {
    m_loop.reset();  // joins the thread before the port goes
    CloseExclusive(m_fd);
    m_fd = -1;
    m_pending.clear();
    m_answerTimer.stop();
    m_retryTimer.stop();
}

bool BalanceLink::Weigh() {
    if (!Ask("S")) {
        return false;
    }
    m_settling.start();
    return true;
}

bool BalanceLink::AskSerial() {
    return Ask("I4");
}

bool BalanceLink::Zero() {
    return Ask("Z");
}

bool BalanceLink::Tare() {
    return Ask("T");
}

bool BalanceLink::Ask(const QByteArray& command) {
    if (!IsOpen() || Waiting()) {
        return false;
    }
    if (!Send(balance::Command(command.constData()))) {
        return false;
    }
    m_pending = command;
    m_answerTimer.start(m_timing.answerMs);
    return true;
}

bool BalanceLink::Send(const QByteArray& command) {
    if (WriteAll(m_fd, command.constData(), static_cast<size_t>(command.size()))) {
        return true;
    }
    Fail(QStringLiteral("The command could not be sent to the balance (%1).").arg(m_device));
    return false;
}

void BalanceLink::OnLine(const QByteArray& line) {
    using balance::Reply;
    const Reply r = balance::ParseReply(line);
    switch (r.kind) {
        case Reply::Stable:
            if (m_pending == "S") {
                Finish({Event::Weight, r.grams, false, {}});
            } else if (m_lateAnswer.isValid() && !m_lateAnswer.hasExpired(m_timing.answerMs)) {
                m_lateAnswer.invalidate();  // the answer the operator was told never came
            } else {
                // The print key: a weight nobody asked for, taken all the same.
                Event e{Event::Weight, r.grams, true, {}};
                m_listener(e);
            }
            return;
        case Reply::Serial:
            Finish({Event::Serial, 0, false, r.text});
            return;
        case Reply::Zeroed:
            Finish({Event::Zeroed, 0, false, {}});
            return;
        case Reply::Tared:
            Finish({Event::Tared, r.grams, false, {}});
            return;
        case Reply::Busy:
        case Reply::Dynamic:
            if (m_pending == "S") {
                OnWeighingReply(r);
                return;
            }
            break;
        default:
            break;
    }
    if (!Waiting() && r.kind == Reply::Malformed) {
        return;  // noise on an idle line asks nothing of the operator
    }
    Fail(BalanceProblemText(r));
}

void BalanceLink::OnWeighingReply(const balance::Reply&) {
    m_answerTimer.stop();
    if (m_settling.elapsed() >= m_timing.settleMs) {
        Fail(QStringLiteral("The balance did not settle within %1 s. Shield it from draughts "
                            "and vibration, then weigh again.")
                 .arg(m_timing.settleMs / 1000.0));
        return;
    }
    m_retryTimer.start(m_timing.retryMs);
}

void BalanceLink::Finish(Event e) {
    e.request = std::exchange(m_pending, QByteArray());
    m_answerTimer.stop();
    m_retryTimer.stop();
    m_listener(e);
}

void BalanceLink::Fail(const QString& text) {
    Finish({Event::Failure, 0, false, text});
}

void BalanceLink::OnSilence() {
    if (!Waiting()) {
        return;
    }
    if (m_pending == "S") {
        m_lateAnswer.start();
    }
    Fail(QStringLiteral("The balance did not answer within %1 s. Check that it is on, its "
                        "cable, and its line settings (Option > Setup, Balance).")
             .arg(m_timing.answerMs / 1000.0));
}

void BalanceLink::OnLineLost(const QString& reason) {
    // The loop's thread has ended; the loop itself goes once the call that
    // brought this is over (it is running it now), the port at once.
    ReceiveLoop* loop = m_loop.release();
    QTimer::singleShot(0, [loop] { delete loop; });
    Close();
    Event e{Event::Failure, 0, false,
            QStringLiteral("The balance's line is gone (%1). Weights already read are kept; "
                           "type a weight or set the balance up again.")
                .arg(reason)};
    m_listener(e);
}

QString BalanceProblemText(const balance::Reply& r) {
    using balance::Reply;
    switch (r.kind) {
        case Reply::Overload:
            return QStringLiteral("The balance is overloaded: take weight off the pan.");
        case Reply::Underload:
            return QStringLiteral("The balance is under its range: put the pan back and zero it.");
        case Reply::Busy:
        case Reply::Dynamic:
            return QStringLiteral("The balance cannot carry out the command now.");
        case Reply::WrongUnit:
            return QStringLiteral(
                       "The balance weighs in \"%1\", which the console does not know. "
                       "Set the balance to g, mg or kg.")
                .arg(r.text);
        case Reply::SyntaxError:
            return QStringLiteral("The balance did not know the command (ES).");
        case Reply::TransmissionError:
            return QStringLiteral(
                "The balance received the command garbled (ET): check the line "
                "settings.");
        case Reply::LogicError:
            return QStringLiteral("The balance cannot carry out the command (EL).");
        case Reply::Malformed:
            return QStringLiteral("The balance sent an answer the console does not understand: %1.")
                .arg(r.text);
        default:
            return QString();
    }
}
