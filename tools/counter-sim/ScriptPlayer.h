#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <vector>

// Replays a script once the console has connected. One step a line:
//   event NAME          send an event frame
//   count COUNT PACKNO  send a count frame
//   raw HEX             send these bytes as they are
//   wait MS             pause
//   expect command TEXT | expect speed TEXT | expect program | expect raw HEX
//                       the console's next frame must be this one
// Blank lines and lines starting with '#' are skipped.
class ScriptPlayer {
public:
    using Clock = std::chrono::steady_clock;

    bool Load(const QString& path, QString* error);
    void Start(Clock::time_point now);
    void OnFrame(const QByteArray& frame, Clock::time_point now);
    void Advance(Clock::time_point now);
    Clock::time_point NextWake() const;
    std::vector<QByteArray> TakeOutput();
    bool Done() const { return m_bFailed || m_nStep >= m_steps.size(); }
    bool Failed() const { return m_bFailed; }
    QString Failure() const { return m_failure; }

private:
    struct Step {
        enum Kind { Send, Wait, Expect, ExpectProgram } kind;
        QByteArray bytes;  // Send, Expect
        int ms = 0;        // Wait
        int line = 0;
    };
    bool ParseLine(const QString& text, int line, QString* error);
    void Fail(const QString& why);

    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    bool m_bStarted = false;
    bool m_bFailed = false;
    QString m_failure;
    Clock::time_point m_stepSince{};
    std::vector<QByteArray> m_output;
};
