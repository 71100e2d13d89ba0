#pragma once

// Checked reading of a BIFF8 record stream. Every length and offset is
// checked against the bytes that hold it; what does not fit throws
// UnreadableWorkbookError with the reason (the caller adds the file name).

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace biff {

// Little-endian fields of one record's data at byte `at`.
quint8 U8(QByteArrayView data, qsizetype at);
quint16 U16(QByteArrayView data, qsizetype at);
quint32 U32(QByteArrayView data, qsizetype at);
double F64(QByteArrayView data, qsizetype at);

struct Record {
    unsigned type = 0;
    QByteArrayView data;
};

// The records of a stream from a given offset on.
class RecordCursor {
public:
    // Throws when `offset` lies outside the stream.
    RecordCursor(QByteArrayView stream, qsizetype offset);
    // The next record; false at the end of the stream. A header or data
    // that runs past the end throws.
    bool Next(Record& out);
    // The data of a record and of every CONTINUE record right after it.
    std::vector<QByteArrayView> WithContinues(const Record& first);

private:
    QByteArrayView m_stream;
    qsizetype m_pos;
};

// Reads across a record and its CONTINUE records as one byte sequence. The
// characters of a text are the exception: where they cross into the next
// record, that record starts with a new flags byte (compressed or UTF-16).
class ContinuedReader {
public:
    explicit ContinuedReader(std::vector<QByteArrayView> parts) : m_parts(std::move(parts)) {}
    bool AtEnd();
    quint8 U8();
    quint16 U16();
    quint32 U32();
    void Skip(quint32 bytes);
    // `count` characters, one byte each or UTF-16LE as `wide` says at first.
    QString Chars(unsigned count, bool wide);
    // A text with a 16-bit length and flags. `richExtended` reads (and
    // skips) the formatting runs and the phonetic block that the shared
    // string table may give a text.
    QString UnicodeString(bool richExtended);

private:
    // Moves to the next record's data when the current one is used up;
    // throws when there is none.
    void Advance();
    qsizetype Left() const { return m_parts[m_part].size() - m_pos; }

    std::vector<QByteArrayView> m_parts;
    size_t m_part = 0;
    qsizetype m_pos = 0;
};

// The texts of a shared string table (SST and its CONTINUE records).
QStringList ReadSharedStrings(std::vector<QByteArrayView> parts);

}  // namespace biff
