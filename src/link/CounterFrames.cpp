#include "link/CounterFrames.h"

#include "platform/Text8.h"

namespace frames {

namespace {

constexpr char kCommandType = 'C';
constexpr char kProgramType = 'P';
constexpr char kEventType = 'c';
constexpr char kCountType = 'd';
constexpr char kSpeedMark = 'M';

// Longest texts the counter takes in a program frame.
constexpr int kMaxSeedName = 19;
constexpr int kMaxGateText = 9;

// STX, the type byte and the separator that open every frame.
QByteArray Head(char type) {
    QByteArray out;
    out.append(STX).append(type).append(US);
    return out;
}

// The field that starts at `from` and ends before the next separator; false
// when no separator follows.
bool FieldAt(const QByteArray& frame, qsizetype from, QByteArray* field, qsizetype* end) {
    const qsizetype sep = frame.indexOf(US, from);
    if (sep < 0) {
        return false;
    }
    *field = frame.mid(from, sep - from);
    *end = sep;
    return true;
}

bool FitsCountField(const QByteArray& field) {
    return !field.isEmpty() && field.size() <= kMaxCountField;
}

}  // namespace

QByteArray Command(const QString& text) {
    return Head(kCommandType).append(text8::Encode(text)).append(ETX);
}

QByteArray FeedSpeed(const QString& speedText) {
    return Head(kCommandType).append(kSpeedMark).append(text8::Encode(speedText)).append(ETX);
}

QByteArray Program(const ProgramFrameArgs& args) {
    QByteArray out = Head(kProgramType);
    out.append(text8::Encode(args.seedName.left(kMaxSeedName)));
    out.append(US).append(QByteArray::number(args.rowsToCount));
    for (const ProgramRow& row : args.rows) {
        out.append(US).append(text8::Encode(row.seedsPerPacket));
        out.append(US).append(text8::Encode(row.packets));
    }
    out.append(US).append(text8::Encode(args.gateHor.left(kMaxGateText)));
    out.append(US).append(text8::Encode(args.gateVer.left(kMaxGateText)));
    out.append(US).append(text8::Encode(args.sensitivity.left(kMaxGateText)));
    out.append(US).append(text8::Encode(args.feedSpeed));
    out.append(US).append("Start").append(ETX);
    return out;
}

CounterMessage Decode(const QByteArray& frame) {
    CounterMessage msg;
    // Byte 2 is the separator after the type byte and is not examined.
    constexpr qsizetype kFirstField = 3;
    if (frame.size() <= kFirstField || frame[0] != STX) {
        return msg;
    }
    const char type = frame[1];
    QByteArray first;
    qsizetype end = 0;
    if (type == kEventType) {
        if (FieldAt(frame, kFirstField, &first, &end) && !first.isEmpty() &&
            first.size() <= kMaxEventName) {
            msg.kind = CounterMessage::Event;
            msg.event = text8::Decode(first);
        }
    } else if (type == kCountType) {
        QByteArray second;
        if (FieldAt(frame, kFirstField, &first, &end) && FitsCountField(first) &&
            FieldAt(frame, end + 1, &second, &end) && FitsCountField(second)) {
            msg.kind = CounterMessage::Count;
            msg.count = text8::Decode(first.left(kKeptCount));
            msg.packNo = text8::Decode(second.left(kKeptPackNo));
        }
    }
    return msg;
}

QByteArray EventFrame(const QString& name) {
    return Head(kEventType).append(text8::Encode(name)).append(US).append(ETX);
}

QByteArray CountFrame(const QString& count, const QString& packNo) {
    QByteArray out = Head(kCountType).append(text8::Encode(count)).append(US);
    return out.append(text8::Encode(packNo)).append(US).append(ETX);
}

QString Readable(const QByteArray& bytes) {
    QString out;
    for (char c : bytes) {
        switch (c) {
            case STX:
                out += "<STX>";
                break;
            case ETX:
                out += "<ETX>";
                break;
            case US:
                out += "<US>";
                break;
            case ENQ:
                out += "<ENQ>";
                break;
            case ACK:
                out += "<ACK>";
                break;
            default: {
                const auto u = static_cast<unsigned char>(c);
                if (u >= 0x20 && u < 0x7F) {
                    out += QChar(u);
                } else {
                    out += QString("<%1>").arg(u, 2, 16, QChar('0'));
                }
            }
        }
    }
    return out;
}

}  // namespace frames
