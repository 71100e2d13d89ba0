#include "data/excel/BiffSst.h"

#include <algorithm>

#include "data/excel/BiffRecords.h"
#include "data/excel/BiffStream.h"

namespace {

constexpr int kMaxBuckets = 128;

// Fills SST data and its CONTINUE records, splitting a string between
// records where needed: its header never splits, and the continued part
// starts with its own flags byte.
class SstWriter {
public:
    SstWriter(QByteArray& stream, quint32 total, quint32 unique) : m_stream(stream) {
        m_recordStart = stream.size();
        biff::PutU32(m_data, total);
        biff::PutU32(m_data, unique);
    }

    // Adds one string; returns its (stream position, offset in its record).
    std::pair<quint32, unsigned> Add(const QString& s) {
        const bool wide = !biff::IsLatin1(s);
        const int unit = wide ? 2 : 1;
        if (Room() < 3 + (s.isEmpty() ? 0 : unit)) {
            Flush();
        }
        const unsigned offset = 4 + static_cast<unsigned>(m_data.size());
        const auto where = std::make_pair(static_cast<quint32>(m_recordStart + offset), offset);
        biff::PutU16(m_data, static_cast<unsigned>(s.size()));
        biff::PutU8(m_data, wide ? 1 : 0);
        qsizetype pos = 0;
        while (pos < s.size()) {
            qsizetype fit = Room() / unit;
            if (fit == 0) {
                Flush();
                biff::PutU8(m_data, wide ? 1 : 0);
                fit = Room() / unit;
            }
            const qsizetype n = std::min(fit, s.size() - pos);
            biff::PutChars(m_data, s.mid(pos, n), wide);
            pos += n;
        }
        return where;
    }

    void Flush() {
        biff::PutRecord(m_stream, m_type, m_data);
        m_data.clear();
        m_type = biff::kContinue;
        m_recordStart = m_stream.size();
    }

private:
    int Room() const { return biff::kMaxRecordData - static_cast<int>(m_data.size()); }

    QByteArray& m_stream;
    QByteArray m_data;
    unsigned m_type = biff::kSst;
    qsizetype m_recordStart = 0;
};

}  // namespace

void PutSharedStrings(QByteArray& stream, const QStringList& strings, quint32 total) {
    const auto unique = static_cast<quint32>(strings.size());
    const quint32 perBucket = std::max<quint32>(8, (unique + kMaxBuckets - 1) / kMaxBuckets);
    QByteArray ext;
    biff::PutU16(ext, perBucket);
    SstWriter sst(stream, total, unique);
    for (quint32 i = 0; i < unique; ++i) {
        const auto [pos, offset] = sst.Add(strings[static_cast<qsizetype>(i)]);
        if (i % perBucket == 0) {
            biff::PutU32(ext, pos);
            biff::PutU16(ext, offset);
            biff::PutU16(ext, 0);
        }
    }
    sst.Flush();
    biff::PutRecord(stream, biff::kExtSst, ext);
}
