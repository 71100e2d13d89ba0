#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Frames between the console and the counter: STX, a type byte, 0x1F
// separated text fields, ETX.
namespace frames {

constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char US = 0x1F;
constexpr char ENQ = 0x05;
constexpr char ACK = 0x06;

// ---- console to counter ----

// STX 'C' US text ETX: "Start", "Zero", "Dump", "Stop", "Reset", "Recycle",
// "Disconnect".
QByteArray Command(const QString& text);
// STX 'C' US 'M' speed ETX; the speed text is sent unchanged.
QByteArray FeedSpeed(const QString& speedText);

struct ProgramRow {
    QString seedsPerPacket;  // the row's "Num/P" cell
    QString packets;         // the row's "PackNo" cell
};
struct ProgramFrameArgs {
    QString seedName;              // cut to 19 characters
    int rowsToCount = 0;           // rows from the current row on
    std::vector<ProgramRow> rows;  // every row of the sample
    QString gateHor;               // cut to 9 characters
    QString gateVer;               // cut to 9 characters
    QString sensitivity;           // cut to 9 characters
    QString feedSpeed;             // the Feed Speed edit's text
};
// STX 'P' US name US rows (US num/p US packs)* US gateHor US gateVer US
// sensitivity US feedSpeed US "Start" ETX.
QByteArray Program(const ProgramFrameArgs& args);

// ---- counter to console ----

struct CounterMessage {
    enum Kind { Ignored, Event, Count };
    Kind kind = Ignored;
    QString event;   // Event: the event name, exactly as sent
    QString count;   // Count: field 1, kept to 9 characters
    QString packNo;  // Count: field 2, kept to 5 characters
};
// Decodes one complete frame (STX .. ETX) as the counter sends it.
CounterMessage Decode(const QByteArray& frame);

// ---- the counter's side (simulated counter, tests) ----

// STX 'c' US name US ETX.
QByteArray EventFrame(const QString& name);
// STX 'd' US count US packNo US ETX.
QByteArray CountFrame(const QString& count, const QString& packNo);

// Longest field that Decode takes from the counter.
constexpr int kMaxEventName = 49;
constexpr int kMaxCountField = 20;
constexpr int kKeptCount = 9;
constexpr int kKeptPackNo = 5;

// The bytes in readable form for logs: control bytes as <STX>, <US>, ...,
// other bytes outside printable ASCII as <xx> in hexadecimal.
QString Readable(const QByteArray& bytes);

}  // namespace frames
