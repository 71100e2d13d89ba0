#include "data/excel/BiffInput.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "data/excel/BiffRecords.h"
#include "data/excel/ExcelError.h"

namespace biff {

namespace {

[[noreturn]] void Damaged(const char* what) {
    throw UnreadableWorkbookError(QString("it is damaged (%1)").arg(what));
}

const uchar* At(QByteArrayView data, qsizetype at, qsizetype size) {
    if (at < 0 || size > data.size() || at > data.size() - size) {
        Damaged("a record is shorter than its fields");
    }
    return reinterpret_cast<const uchar*>(data.data()) + at;
}

}  // namespace

quint8 U8(QByteArrayView data, qsizetype at) {
    return *At(data, at, 1);
}
quint16 U16(QByteArrayView data, qsizetype at) {
    return qFromLittleEndian<quint16>(At(data, at, 2));
}
quint32 U32(QByteArrayView data, qsizetype at) {
    return qFromLittleEndian<quint32>(At(data, at, 4));
}
double F64(QByteArrayView data, qsizetype at) {
    const quint64 bits = qFromLittleEndian<quint64>(At(data, at, 8));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

RecordCursor::RecordCursor(QByteArrayView stream, qsizetype offset)
    : m_stream(stream), m_pos(offset) {
    if (offset < 0 || offset > stream.size()) {
        Damaged("a sheet lies outside the workbook");
    }
}

bool RecordCursor::Next(Record& out) {
    if (m_pos == m_stream.size()) {
        return false;
    }
    const unsigned size = U16(m_stream, m_pos + 2);
    out.type = U16(m_stream, m_pos);
    if (size > m_stream.size() - m_pos - 4) {
        Damaged("a record runs past the end of the workbook");
    }
    out.data = m_stream.sliced(m_pos + 4, size);
    m_pos += 4 + size;
    return true;
}

std::vector<QByteArrayView> RecordCursor::WithContinues(const Record& first) {
    std::vector<QByteArrayView> parts{first.data};
    while (m_stream.size() - m_pos >= 4 && U16(m_stream, m_pos) == kContinue) {
        Record next;
        Next(next);
        parts.push_back(next.data);
    }
    return parts;
}

bool ContinuedReader::AtEnd() {
    while (m_part < m_parts.size() && Left() == 0) {
        if (m_part + 1 == m_parts.size()) {
            return true;
        }
        ++m_part;
        m_pos = 0;
    }
    return m_part >= m_parts.size();
}

void ContinuedReader::Advance() {
    if (AtEnd()) {
        Damaged("a text or a table is cut short");
    }
}

quint8 ContinuedReader::U8() {
    Advance();
    return biff::U8(m_parts[m_part], m_pos++);
}

quint16 ContinuedReader::U16() {
    const quint16 low = U8();
    return static_cast<quint16>(low | (U8() << 8));
}

quint32 ContinuedReader::U32() {
    const quint32 low = U16();
    return low | (static_cast<quint32>(U16()) << 16);
}

void ContinuedReader::Skip(quint32 bytes) {
    while (bytes > 0) {
        Advance();
        const auto n = static_cast<quint32>(std::min<qsizetype>(Left(), bytes));
        m_pos += n;
        bytes -= n;
    }
}

QString ContinuedReader::Chars(unsigned count, bool wide) {
    QString out;
    out.reserve(static_cast<qsizetype>(count));
    while (static_cast<unsigned>(out.size()) < count) {
        if (m_part >= m_parts.size() || Left() == 0) {
            // The characters go on in the next record, behind its own flags.
            if (m_part + 1 >= m_parts.size()) {
                Damaged("a text is cut short");
            }
            ++m_part;
            m_pos = 0;
            wide = (biff::U8(m_parts[m_part], m_pos++) & 0x01) != 0;
            continue;
        }
        const qsizetype unit = wide ? 2 : 1;
        const qsizetype n = std::min<qsizetype>(Left() / unit, count - out.size());
        if (n == 0) {
            Damaged("a character is split between records");
        }
        const char* p = m_parts[m_part].data() + m_pos;
        if (wide) {
            for (qsizetype i = 0; i < n; ++i) {
                out.append(QChar(qFromLittleEndian<quint16>(p + 2 * i)));
            }
        } else {
            out.append(QString::fromLatin1(p, n));
        }
        m_pos += n * unit;
    }
    return out;
}

QString ContinuedReader::UnicodeString(bool richExtended) {
    const unsigned count = U16();
    const quint8 flags = U8();
    const quint16 runs = richExtended && (flags & 0x08) ? U16() : 0;
    const quint32 phonetic = richExtended && (flags & 0x04) ? U32() : 0;
    QString text = Chars(count, (flags & 0x01) != 0);
    Skip(4u * runs);
    Skip(phonetic);
    return text;
}

QStringList ReadSharedStrings(std::vector<QByteArrayView> parts) {
    qsizetype bytes = 0;
    for (QByteArrayView p : parts) {
        bytes += p.size();
    }
    ContinuedReader r(std::move(parts));
    r.U32();  // how many cells refer to the table
    const quint32 unique = r.U32();
    QStringList strings;
    // Every text takes at least 3 bytes: a forged count reserves nothing more.
    strings.reserve(std::min<qsizetype>(unique, bytes / 3));
    for (quint32 i = 0; i < unique && !r.AtEnd(); ++i) {
        strings << r.UnicodeString(true);
    }
    return strings;
}

}  // namespace biff
