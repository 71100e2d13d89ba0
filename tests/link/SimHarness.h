#pragma once

// Runs the simulated counter for a test and reads its frames off the
// console's channel.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include "link/FrameAssembler.h"
#include "link/PtyCounter.h"
#include "link/cSerialCom.h"

// vyn8-counter (or another simulator of tools/, by its path in the build)
// on a pty behind <temp>/<linkName>, with the given options.
class SimProcess {
public:
    explicit SimProcess(const QStringList& options,
                        const QString& program = "tools/counter-sim/vyn8-counter",
                        const QString& linkName = "COM1");
    ~SimProcess();
    bool Started() const { return m_bStarted; }
    QString Link() const { return m_dir.filePath(m_linkName); }
    QProcess& process() { return m_process; }

private:
    QTemporaryDir m_dir;
    QString m_linkName;
    QProcess m_process;
    bool m_bStarted = false;
};

// A console channel connected to a SimProcess through the port map.
struct SimLink {
    explicit SimLink(const QStringList& options = {"--fast"});
    SimProcess sim;
    PortEnv env;
    cSerialCom com;
    bool connected = false;
};

// Reads the counter's frames, each as text: an event by its name, a count as
// "count/packNo"; other frames as "?".
class FrameReader {
public:
    explicit FrameReader(int fd) : m_fd(fd) {}
    // Reads until the message `last` arrives or `ms` pass; returns what came.
    QStringList ReadUntil(const QString& last, int ms = 5000);
    // Reads for `ms` and returns what came.
    QStringList ReadFor(int ms);
    bool HungUp() const { return m_bHungUp; }

private:
    bool ReadOnce(int waitMs, QStringList* out);
    int m_fd;
    FrameAssembler m_assembler;
    bool m_bHungUp = false;
};
