#include "labels/PacketLabels.h"

#include <QStringList>

namespace {

// Packets of a Batch Count row, or 0 for a record that is not one.
int BatchPackets(const cParam& r) {
    bool ok = false;
    const int n = r.m_strPackNo.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

// One past the last record of the series that starts at `first` (a Batch
// Count row), and the series' packets.
size_t SeriesEnd(const std::vector<std::unique_ptr<cParam>>& records, size_t first,
                 qint64* packets) {
    const QString& id = records[first]->m_strIdBarcode;
    *packets = 0;
    size_t end = first;
    while (end < records.size() && records[end]->m_strIdBarcode == id) {
        const int n = BatchPackets(*records[end]);
        if (n == 0) {
            break;
        }
        *packets += n;
        const bool closesSeries = !records[end]->m_strTotalQuantity.isEmpty();
        ++end;
        if (closesSeries) {
            break;
        }
    }
    return end;
}

template <typename Visit>
void ForEachSeries(const std::vector<std::unique_ptr<cParam>>& records, Visit visit) {
    size_t i = 0;
    while (i < records.size()) {
        qint64 packets = 1;
        const size_t end = BatchPackets(*records[i]) > 0 ? SeriesEnd(records, i, &packets) : i + 1;
        visit(i, end, packets);
        i = end;
    }
}

}  // namespace

std::vector<PacketLabel> LabelsFromRecords(const std::vector<std::unique_ptr<cParam>>& records) {
    std::vector<PacketLabel> labels;
    labels.reserve(static_cast<size_t>(LabelCountOf(records)));
    ForEachSeries(records, [&](size_t first, size_t end, qint64 packets) {
        int packet = 1;
        for (size_t r = first; r < end; ++r) {
            const cParam& rec = *records[r];
            const int here = std::max(1, BatchPackets(rec));
            for (int p = 0; p < here; ++p) {
                labels.push_back({rec.m_strIdBarcode, rec.m_strSeed, packet++,
                                  static_cast<int>(packets), rec.m_strNumPerPacket,
                                  rec.m_strLocation, rec.m_strComment});
            }
        }
    });
    return labels;
}

qint64 LabelCountOf(const std::vector<std::unique_ptr<cParam>>& records) {
    qint64 n = 0;
    ForEachSeries(records, [&](size_t, size_t, qint64 packets) { n += packets; });
    return n;
}

QString PacketText(const PacketLabel& label) {
    return QStringLiteral("Packet %1 of %2").arg(label.packet).arg(label.packets);
}

QString SeedsText(const PacketLabel& label) {
    return QStringLiteral("%1 seeds").arg(label.seeds);
}

QString LabelDataText(const PacketLabel& label, const QString& date) {
    return QStringList{label.id,
                       label.seed,
                       QString::number(label.packet),
                       QString::number(label.packets),
                       label.seeds,
                       date,
                       label.location,
                       label.comment}
        .join('\t');
}
