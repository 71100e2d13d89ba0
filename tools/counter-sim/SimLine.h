#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "SimOptions.h"
#include "link/FrameAssembler.h"

// The counter's end of the line: a pseudo-terminal behind a symbolic link,
// or a real serial port. Answers the console's ENQ/ACK handshake and hands
// on the console's frames; logs both ways when asked.
class SimLine {
public:
    struct Input {
        std::vector<QByteArray> frames;
        bool sessionStarted = false;  // the console finished a handshake
        bool hangup = false;          // the line is gone (real port unplugged)
    };

    explicit SimLine(const SimOptions& options) : m_options(options) {}
    ~SimLine() { Close(); }

    bool Open(QString* error);
    QString ServedPath() const { return m_servedPath; }
    int fd() const { return m_fd; }
    Input Read();
    // Writes one frame; false when the line did not take it.
    bool Send(const QByteArray& frame);
    int FramesSent() const { return m_nFramesSent; }
    // Waits (a bounded time) until the console has read what was sent, then
    // closes the line and removes the link.
    void Close();

private:
    void OnEnq();
    void Drain();
    void Log(const char* direction, const QByteArray& bytes) const;

    const SimOptions& m_options;
    int m_fd = -1;
    int m_slaveFd = -1;  // held open so the line lives between connections
    QString m_servedPath;
    FrameAssembler m_assembler;
    int m_nEnqSeen = 0;
    bool m_bAckSent = false;
    int m_nFramesSent = 0;
};
