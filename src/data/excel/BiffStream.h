#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Little-endian building blocks of a BIFF8 record stream.
namespace biff {

inline constexpr int kMaxRecordData = 8224;  // bytes of data after the 4-byte header

inline void PutU8(QByteArray& b, unsigned v) {
    b.append(static_cast<char>(v & 0xFF));
}
inline void PutU16(QByteArray& b, unsigned v) {
    PutU8(b, v);
    PutU8(b, v >> 8);
}
inline void PutU32(QByteArray& b, std::uint32_t v) {
    PutU16(b, v & 0xFFFF);
    PutU16(b, v >> 16);
}
inline void SetU32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// True when every UTF-16 unit fits one byte: the string is stored compressed.
inline bool IsLatin1(const QString& s) {
    for (QChar c : s) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}
// The characters of `s`, compressed (one byte each) or UTF-16LE.
inline void PutChars(QByteArray& b, const QString& s, bool wide) {
    for (QChar c : s) {
        wide ? PutU16(b, c.unicode()) : PutU8(b, c.unicode());
    }
}
// ShortXLUnicodeString: 8-bit length, flags, characters.
inline void PutShortString(QByteArray& b, const QString& s) {
    const bool wide = !IsLatin1(s);
    PutU8(b, static_cast<unsigned>(s.size()));
    PutU8(b, wide ? 1 : 0);
    PutChars(b, s, wide);
}

// Appends one record (header + data) to the stream.
inline void PutRecord(QByteArray& stream, unsigned type, const QByteArray& data) {
    PutU16(stream, type);
    PutU16(stream, static_cast<unsigned>(data.size()));
    stream.append(data);
}

}  // namespace biff
