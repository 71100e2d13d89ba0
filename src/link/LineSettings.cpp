#include "link/LineSettings.h"

// termios2 comes from the kernel headers, which clash with <termios.h>; this
// file uses the kernel's definitions only.
#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <algorithm>

namespace line {

namespace {

struct StandardRate {
    int baud;
    tcflag_t code;
};
constexpr StandardRate kRates[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

tcflag_t SpeedCode(int baud) {
    for (const StandardRate& r : kRates) {
        if (r.baud == baud) {
            return r.code;
        }
    }
    return BOTHER;
}

}  // namespace

LineSpec CounterLine(int baud) {
    return LineSpec{baud, 7, 'O', 1};
}

SetResult Configure(int fd, int baud) {
    return Configure(fd, CounterLine(baud));
}

SetResult Configure(int fd, const LineSpec& spec) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return SetResult::ReadFailed;
    }
    if (spec.baud <= 0) {
        return SetResult::WriteFailed;
    }
    ApplySettings(&t, spec);
    return ioctl(fd, TCSETS2, &t) == 0 ? SetResult::Ok : SetResult::WriteFailed;
}

void ApplyCounterSettings(termios2* t, int baud) {
    ApplySettings(t, CounterLine(baud));
}

void ApplySettings(termios2* t, const LineSpec& spec) {
    t->c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                    IXANY | IGNPAR | INPCK);
    t->c_oflag &= ~OPOST;
    t->c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t->c_cflag &= ~(CSIZE | CSTOPB | CRTSCTS | PARENB | PARODD | CBAUD | (CBAUD << IBSHIFT));
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t->c_cflag |= sizes[std::clamp(spec.dataBits, 5, 8) - 5];
    if (spec.parity == 'E' || spec.parity == 'O') {
        t->c_iflag |= INPCK;
        t->c_cflag |= PARENB | (spec.parity == 'O' ? PARODD : 0);
    }
    if (spec.stopBits == 2) {
        t->c_cflag |= CSTOPB;
    }
    t->c_cflag |= CREAD | CLOCAL | SpeedCode(spec.baud);
    t->c_ispeed = t->c_ospeed = static_cast<speed_t>(spec.baud);
    t->c_cc[VMIN] = 1;
    t->c_cc[VTIME] = 0;
}

SetResult SetImmediateReads(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return SetResult::ReadFailed;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ioctl(fd, TCSETS2, &t) == 0 ? SetResult::Ok : SetResult::WriteFailed;
}

void ToggleRtsAndDropDtr(int fd) {
    struct serial_rs485 rs485 {};
    if (ioctl(fd, TIOCGRS485, &rs485) == 0) {
        rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        rs485.flags &= ~SER_RS485_RTS_AFTER_SEND;
        (void)ioctl(fd, TIOCSRS485, &rs485);
    }
    const int dtr = TIOCM_DTR;
    (void)ioctl(fd, TIOCMBIC, &dtr);
}

int OutputBaud(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return -1;
    }
    return static_cast<int>(t.c_ospeed);
}

Settings Describe(const termios2& t) {
    Settings out;
    switch (t.c_cflag & CSIZE) {
        case CS5:
            out.dataBits = 5;
            break;
        case CS6:
            out.dataBits = 6;
            break;
        case CS7:
            out.dataBits = 7;
            break;
        default:
            out.dataBits = 8;
            break;
    }
    out.parity = (t.c_cflag & PARENB) != 0;
    out.oddParity = (t.c_cflag & PARODD) != 0;
    out.twoStopBits = (t.c_cflag & CSTOPB) != 0;
    out.flowControl = (t.c_cflag & CRTSCTS) != 0 || (t.c_iflag & (IXON | IXOFF)) != 0;
    out.raw = (t.c_oflag & OPOST) == 0 && (t.c_lflag & (ICANON | ECHO | ISIG)) == 0 &&
              (t.c_iflag & (ICRNL | ISTRIP)) == 0;
    return out;
}

bool ReadSettings(int fd, Settings* out) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return false;
    }
    *out = Describe(t);
    return true;
}

}  // namespace line
