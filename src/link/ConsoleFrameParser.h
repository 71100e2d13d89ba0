#pragma once

#include <QByteArray>
#include <QString>

#include "link/CounterFrames.h"

// Reads the frames the console sends, as the counter sees them.
namespace frames {

struct ConsoleFrame {
    enum Kind { Malformed, Command, FeedSpeed, Program };
    Kind kind = Malformed;
    QString text;              // Command: its text; FeedSpeed: the speed text
    ProgramFrameArgs program;  // Program: every field
    QString problem;           // Malformed: what is wrong, for a log
};

// The command texts a counter carries out.
bool IsCommandText(const QString& text);

// Parses one complete frame (STX .. ETX).
ConsoleFrame ParseConsoleFrame(const QByteArray& frame);

}  // namespace frames
