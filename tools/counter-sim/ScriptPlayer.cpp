#include "ScriptPlayer.h"

#include <QFile>
#include <QStringList>

#include "link/ConsoleFrameParser.h"
#include "link/CounterFrames.h"

namespace {

constexpr auto kExpectTimeout = std::chrono::seconds(10);

}  // namespace

bool ScriptPlayer::Load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QString("cannot read the script %1").arg(path);
        return false;
    }
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!ParseLine(lines[i].trimmed(), static_cast<int>(i + 1), error)) {
            return false;
        }
    }
    return true;
}

bool ScriptPlayer::ParseLine(const QString& text, int line, QString* error) {
    if (text.isEmpty() || text.startsWith('#')) {
        return true;
    }
    const QStringList w = text.split(' ', Qt::SkipEmptyParts);
    const QString rest = text.section(' ', 1).trimmed();
    const QString what = w.value(1);
    const QString arg = text.section(' ', 2).trimmed();
    Step s{Step::Send, {}, 0, line};
    if (w[0] == "event" && w.size() >= 2) {
        s.bytes = frames::EventFrame(rest);
    } else if (w[0] == "count" && w.size() == 3) {
        s.bytes = frames::CountFrame(w[1], w[2]);
    } else if (w[0] == "raw" && w.size() >= 2) {
        s.bytes = QByteArray::fromHex(rest.toLatin1());
    } else if (w[0] == "wait" && w.size() == 2 && w[1].toInt() >= 0) {
        s.kind = Step::Wait;
        s.ms = w[1].toInt();
    } else if (w[0] == "expect" && what == "program" && w.size() == 2) {
        s.kind = Step::ExpectProgram;
    } else if (w[0] == "expect" && w.size() >= 3 &&
               (what == "command" || what == "speed" || what == "raw")) {
        s.kind = Step::Expect;
        s.bytes = what == "command" ? frames::Command(arg)
                  : what == "speed" ? frames::FeedSpeed(arg)
                                    : QByteArray::fromHex(arg.toLatin1());
    } else {
        *error = QString("script line %1 not understood: %2").arg(line).arg(text);
        return false;
    }
    m_steps.push_back(s);
    return true;
}

void ScriptPlayer::Start(Clock::time_point now) {
    m_bStarted = true;
    m_stepSince = now;
    Advance(now);
}

void ScriptPlayer::Fail(const QString& why) {
    m_bFailed = true;
    m_failure = why;
}

void ScriptPlayer::OnFrame(const QByteArray& frame, Clock::time_point now) {
    if (!m_bStarted || Done()) {
        return;
    }
    const Step& s = m_steps[m_nStep];
    const bool isProgram = frames::ParseConsoleFrame(frame).kind == frames::ConsoleFrame::Program;
    const bool match = (s.kind == Step::Expect && frame == s.bytes) ||
                       (s.kind == Step::ExpectProgram && isProgram);
    if (!match) {
        Fail(QString("script line %1: got %2").arg(s.line).arg(frames::Readable(frame)));
        return;
    }
    ++m_nStep;
    m_stepSince = now;
    Advance(now);
}

void ScriptPlayer::Advance(Clock::time_point now) {
    while (m_bStarted && !Done()) {
        const Step& s = m_steps[m_nStep];
        if (s.kind == Step::Send) {
            m_output.push_back(s.bytes);
        } else if (s.kind == Step::Wait) {
            if (now < m_stepSince + std::chrono::milliseconds(s.ms)) {
                return;
            }
        } else {
            if (now >= m_stepSince + kExpectTimeout) {
                Fail(QString("script line %1: no frame came").arg(s.line));
            }
            return;
        }
        ++m_nStep;
        m_stepSince = now;
    }
}

ScriptPlayer::Clock::time_point ScriptPlayer::NextWake() const {
    if (!m_bStarted || Done()) {
        return Clock::time_point::max();
    }
    const Step& s = m_steps[m_nStep];
    return m_stepSince + (s.kind == Step::Wait ? std::chrono::milliseconds(s.ms)
                                               : std::chrono::milliseconds(kExpectTimeout));
}

std::vector<QByteArray> ScriptPlayer::TakeOutput() {
    std::vector<QByteArray> out;
    out.swap(m_output);
    return out;
}
