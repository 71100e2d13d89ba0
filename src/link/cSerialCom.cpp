#include "link/cSerialCom.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "link/CounterFrames.h"
#include "link/LineSettings.h"
#include "link/PortAccess.h"
#include "link/PortIo.h"
#include "link/PortLineStatus.h"
#include "platform/NumText.h"
#include "platform/PortMap.h"

namespace {

constexpr int kHandshakeAttempts = 50;
constexpr auto kHandshakePause = std::chrono::milliseconds(50);
constexpr uint32_t kHoldFlags = 0x3;  // CTS hold, DSR hold

}  // namespace

cSerialCom::cSerialCom() : m_pPortStatus(std::make_unique<PortLineStatus>()) {}

cSerialCom::~cSerialCom() {
    Close();
}

int cSerialCom::Open(const QString& portName, const QString& baudText) {
    const QString device = PortDevicePath(portName);
    m_hCom = OpenExclusive(device);
    if (m_hCom < 0) {
        const int err = errno;
        Report(PortOpenErrorText(device, err, PortAccessOf(device)));
        return 0;
    }
    m_pPortStatus->Rebase();
    m_nBaudRate = WToI(baudText);
    const line::SetResult r = line::Configure(m_hCom, m_nBaudRate);
    m_bResult = r == line::SetResult::Ok ? 1 : 0;
    if (r != line::SetResult::Ok) {
        Report(r == line::SetResult::ReadFailed ? "GetCommState Error" : "SetCommState Error");
        Close();
        return 0;
    }
    line::ToggleRtsAndDropDtr(m_hCom);
    return Handshake();
}

int cSerialCom::Handshake() {
    if (!IsOpen()) {
        return 0;
    }
    char lastByte = 0;
    for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
        CheckLine();
        if (m_comStat.cbOutQue == 0) {
            WriteBytes(&frames::ENQ, 1);
        }
        std::this_thread::sleep_for(kHandshakePause);
        if (CheckLine() == 1 && (m_comStat.holdFlags & kHoldFlags) == 0 && m_comStat.cbInQue != 0) {
            const ssize_t n = ::read(m_hCom, &lastByte, 1);
            m_nBytesRead = n > 0 ? static_cast<uint32_t>(n) : 0;
        }
        if (lastByte == frames::ACK) {
            CheckLine();
            if (m_comStat.cbOutQue == 0) {
                WriteBytes(&frames::ACK, 1);
            }
            return 1;
        }
    }
    Close();
    return 0;
}

int cSerialCom::SetTimeouts() {
    const line::SetResult r =
        IsOpen() ? line::SetImmediateReads(m_hCom) : line::SetResult::ReadFailed;
    m_bResult = r == line::SetResult::Ok ? 1 : 0;
    if (r == line::SetResult::ReadFailed) {
        Report("Get Communication timeout Error", "Com Port Read Error");
    } else if (r == line::SetResult::WriteFailed) {
        Report("StCommTimeouts function failed", "Com Port Set Error");
    }
    if (!m_bResult) {
        Close();
    }
    return m_bResult;
}

int cSerialCom::Write(const QByteArray& frame) {
    CheckLine();
    if (m_comStat.cbOutQue != 0) {
        return 200;
    }
    const size_t n = static_cast<size_t>(frame.size());
    if (!WriteBytes(frame.constData(), n)) {
        return 0;
    }
    WaitUntilSent(n);
    return 1;
}

void cSerialCom::WaitUntilSent(size_t n) {
    using Clock = std::chrono::steady_clock;
    // A character is 10 bits on this line: start, 7 data, parity, stop.
    const long long baud = m_nBaudRate > 0 ? m_nBaudRate : 9600;
    const auto onLine = std::chrono::microseconds(static_cast<long long>(n) * 10'000'000LL / baud);
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(250) + 3 * onLine;
    COMSTAT stat;
    uint32_t mask = 0;
    while (QueryLine(&mask, &stat)) {
        m_nHeldMask |= mask;
        if (stat.cbOutQue == 0) {
            (void)::tcdrain(m_hCom);  // and out of the transmitter itself
            return;
        }
        if (Clock::now() >= until) {
            return;  // a queue that does not drain: the next write finds it busy
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool cSerialCom::WriteBytes(const char* data, size_t n) {
    size_t written = 0;
    const bool ok = WriteAll(m_hCom, data, n, &written);
    m_nBytesWritten = static_cast<uint32_t>(written);
    return ok;
}

int cSerialCom::CheckLine() {
    uint32_t mask = std::exchange(m_nHeldMask, 0u);
    uint32_t now = 0;
    const bool queried = QueryLine(&now, &m_comStat);
    mask |= now;
    if (!queried) {
        // Nothing is known of the queues: a stale busy output queue must not
        // turn a write to a dead line into a frame counted as sent.
        m_comStat = COMSTAT{};
        return 0;
    }
    const QString message = MessageForMask(mask);
    if (message.isEmpty()) {
        return 1;
    }
    Report(message);
    return 0;
}

bool cSerialCom::QueryLine(uint32_t* errorMask, COMSTAT* stat) {
    COMSTAT scratch;
    ILineStatus* source = m_pLineStatus ? m_pLineStatus : m_pPortStatus.get();
    return source->Query(m_hCom, errorMask, stat ? stat : &scratch);
}

QString cSerialCom::MessageForMask(uint32_t mask) {
    switch (mask) {
        case CE_RXOVER:
            return "An input buffer overflow has occurred..";
        case CE_OVERRUN:
            return "A character-buffer overrun has occurred.";
        case CE_RXPARITY:
            return "The hardware detected a parity error";
        case CE_FRAME:
            return "The hardware detected a framing error";
        case CE_BREAK:
            return "The hardware detected a break condition";
        case CE_IOE:
            return "An I/O error occurred during communications with the device";
        default:
            return QString();
    }
}

bool cSerialCom::Close() {
    if (m_hCom < 0) {
        return true;
    }
    (void)ioctl(m_hCom, TIOCNXCL);
    const int rc = ::close(m_hCom);
    m_hCom = -1;
    return rc == 0;
}

void cSerialCom::Report(const QString& text, const QString& caption) {
    m_errors.push_back({text, caption});
}

LinkErrors cSerialCom::TakeErrors() {
    return std::exchange(m_errors, {});
}

void cSerialCom::SetLineStatus(ILineStatus* source) {
    m_pLineStatus = source;
}
