#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "link/LinkError.h"

// Line status as the original ClearCommError gave it.
struct COMSTAT {
    uint32_t holdFlags = 0;  // bit 0 CTS hold, bit 1 DSR hold
    uint32_t cbInQue = 0;    // bytes waiting to be read
    uint32_t cbOutQue = 0;   // bytes waiting to be sent
};

// Error mask bits.
constexpr uint32_t CE_RXOVER = 1;
constexpr uint32_t CE_OVERRUN = 2;
constexpr uint32_t CE_RXPARITY = 4;
constexpr uint32_t CE_FRAME = 8;
constexpr uint32_t CE_BREAK = 16;
constexpr uint32_t CE_IOE = 1024;

// Where the line status comes from: the port itself, or a test's script.
class ILineStatus {
public:
    virtual ~ILineStatus() = default;
    // False when the status query itself failed.
    virtual bool Query(int fd, uint32_t* errorMask, COMSTAT* stat) = 0;
};

// The serial channel to the counter: 7 data bits, odd parity, one stop bit,
// no flow control. It shows no message itself: Open, Handshake, SetTimeouts,
// Write and CheckLine keep what went wrong, in order, for TakeErrors, and the
// console words it. Call them on the UI thread.
class cSerialCom {
public:
    cSerialCom();
    ~cSerialCom();  // closes the port if still open

    // portName "COM1".."COM9" (mapped to a device path), baud as typed text.
    int Open(const QString& portName, const QString& baudText);
    int Handshake();
    int SetTimeouts();
    // 200 when the output queue was busy and nothing was written; otherwise
    // nonzero on success, 0 on failure.
    int Write(const QByteArray& frame);
    // 1 when the line is usable; 0 when the query failed or one of the six
    // single errors was reported (its message kept for TakeErrors).
    int CheckLine();
    // The status without messages: the error mask (0 when fine) for a caller
    // off the UI thread, which reports it through MessageForMask there. Fills
    // `stat` when given and leaves m_comStat alone.
    bool QueryLine(uint32_t* errorMask, COMSTAT* stat = nullptr);
    static QString MessageForMask(uint32_t mask);  // empty for silent masks
    // Closes the port; false when closing failed.
    bool Close();
    bool IsOpen() const { return m_hCom >= 0; }
    int fd() const { return m_hCom; }

    // The failures kept since the last call, oldest first; empties the list.
    LinkErrors TakeErrors();

    // Test seam: the status source (not owned; nullptr for the real port).
    void SetLineStatus(ILineStatus* source);

    int m_bResult = 0;
    int m_hCom = -1;
    uint32_t m_nBytesRead = 0;
    uint32_t m_nBytesWritten = 0;
    COMSTAT m_comStat;
    int m_nBaudRate = 0;

private:
    void Report(const QString& text, const QString& caption = QStringLiteral("Error"));
    bool WriteBytes(const char* data, size_t n);
    // Waits until `n` bytes just written have left the port, for at most a
    // few times their time on the line.
    void WaitUntilSent(size_t n);
    // A line error seen while waiting, kept for the next CheckLine.
    uint32_t m_nHeldMask = 0;

    LinkErrors m_errors;

    ILineStatus* m_pLineStatus = nullptr;
    std::unique_ptr<class PortLineStatus> m_pPortStatus;
};
