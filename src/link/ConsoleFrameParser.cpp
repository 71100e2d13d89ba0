#include "link/ConsoleFrameParser.h"

#include <QList>

#include "platform/NumText.h"
#include "platform/Text8.h"

namespace frames {

namespace {

ConsoleFrame Bad(const QString& problem) {
    ConsoleFrame f;
    f.problem = problem;
    return f;
}

// Body of a program frame: name, rows to count, (num/p, packs)*, gate
// horizontal, gate vertical, sensitivity, feed speed, "Start".
ConsoleFrame ParseProgram(const QByteArray& body) {
    constexpr qsizetype kFixedFields = 7;
    const QList<QByteArray> f = body.split(US);
    if (f.size() < kFixedFields || (f.size() - kFixedFields) % 2 != 0) {
        return Bad(QString("program frame with %1 fields").arg(f.size()));
    }
    if (f.last() != "Start") {
        return Bad("program frame without its closing Start");
    }
    const qsizetype pairs = (f.size() - kFixedFields) / 2;
    if (!IsWholeNumber(QString::fromLatin1(f[1])) || f[1].size() > 3 || f[1].toInt() > pairs) {
        return Bad("program frame with rows to count " + text8::Decode(f[1]));
    }
    ConsoleFrame out;
    out.kind = ConsoleFrame::Program;
    ProgramFrameArgs& p = out.program;
    p.seedName = text8::Decode(f[0]);
    p.rowsToCount = f[1].toInt();
    for (qsizetype i = 0; i < pairs; ++i) {
        p.rows.push_back({text8::Decode(f[2 + 2 * i]), text8::Decode(f[3 + 2 * i])});
    }
    const qsizetype tail = 2 + 2 * pairs;
    p.gateHor = text8::Decode(f[tail]);
    p.gateVer = text8::Decode(f[tail + 1]);
    p.sensitivity = text8::Decode(f[tail + 2]);
    p.feedSpeed = text8::Decode(f[tail + 3]);
    return out;
}

ConsoleFrame ParseCommand(const QByteArray& body) {
    ConsoleFrame out;
    if (body.startsWith('M')) {
        out.kind = ConsoleFrame::FeedSpeed;
        out.text = text8::Decode(body.mid(1));
        return out;
    }
    out.text = text8::Decode(body);
    if (!IsCommandText(out.text)) {
        return Bad("unknown command " + out.text);
    }
    out.kind = ConsoleFrame::Command;
    return out;
}

}  // namespace

bool IsCommandText(const QString& text) {
    static const QStringList kCommands = {"Start", "Zero",    "Dump",      "Stop",
                                          "Reset", "Recycle", "Disconnect"};
    return kCommands.contains(text);
}

ConsoleFrame ParseConsoleFrame(const QByteArray& frame) {
    if (frame.size() < 4 || frame.front() != STX || frame.back() != ETX || frame[2] != US) {
        return Bad("not a frame");
    }
    const QByteArray body = frame.mid(3, frame.size() - 4);
    switch (frame[1]) {
        case 'C':
            return ParseCommand(body);
        case 'P':
            return ParseProgram(body);
        default:
            return Bad(QString("frame of type 0x%1").arg(uchar(frame[1]), 2, 16, QChar('0')));
    }
}

}  // namespace frames
