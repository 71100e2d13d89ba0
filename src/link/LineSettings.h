#pragma once

// Line settings of the counter's serial port, on the kernel's termios2 so
// that any baud rate can be set.
struct termios2;

namespace line {

enum class SetResult { Ok, ReadFailed, WriteFailed };

// The settings of a line: the counter's are fixed (7 data bits, odd parity,
// one stop bit); a balance's are the operator's.
struct LineSpec {
    int baud = 9600;
    int dataBits = 8;   // 5 to 8
    char parity = 'N';  // 'N', 'E' or 'O'
    int stopBits = 1;   // 1 or 2
};
LineSpec CounterLine(int baud);

// Raw 7 data bits, odd parity, one stop bit, no flow control, receiver on,
// modem lines ignored, at `baud` bits per second (a standard rate when one
// matches exactly, else the exact rate). A baud of 0 or less is refused as
// WriteFailed, since it would hang the line up.
SetResult Configure(int fd, int baud);
// The same, raw and without flow control, with the settings of `spec`.
SetResult Configure(int fd, const LineSpec& spec);

// Reads return at once with the bytes already received.
SetResult SetImmediateReads(int fd);

// RTS raised only while sending, where the driver offers it; DTR dropped.
// Failures are ignored: many drivers have neither.
void ToggleRtsAndDropDtr(int fd);

// The output speed in bits per second; -1 when it cannot be read.
int OutputBaud(int fd);

// The counter's settings written into `t` (what Configure applies). A
// pseudo-terminal keeps 8 bits without parity whatever it is given, so the
// settings are checkable here apart from any port.
void ApplyCounterSettings(termios2* t, int baud);
void ApplySettings(termios2* t, const LineSpec& spec);

// For checks: the character size in bits, odd parity on, one stop bit, no
// flow control and raw (no input or output processing, no echo).
struct Settings {
    int dataBits = 0;
    bool parity = false;
    bool oddParity = false;
    bool twoStopBits = false;
    bool flowControl = false;
    bool raw = false;
};
Settings Describe(const termios2& t);
bool ReadSettings(int fd, Settings* out);

}  // namespace line
