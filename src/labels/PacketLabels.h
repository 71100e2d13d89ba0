#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "data/cParam.h"

// One packet label: what is printed on the bag or envelope of one packet.
struct PacketLabel {
    QString id;
    QString seed;
    int packet = 1;   // from 1, counted across the whole series
    int packets = 1;  // packets of the series
    QString seeds;    // seeds in the packet (the record's Num/P)
    QString location;
    QString comment;
};

// Labels for `records` in their order: one per packet of each Batch Count
// record and one per Totalize Count record. A record whose PackNo is a
// positive number is a Batch Count row of that many packets; consecutive
// rows of one ID form a series, which the row carrying the series' total
// quantity (written when the sample is dumped or closed) ends. Any other
// record (PackNo 0, as a Totalize Count keeps it, or no number) gets one
// label, "Packet 1 of 1".
std::vector<PacketLabel> LabelsFromRecords(const std::vector<std::unique_ptr<cParam>>& records);
// How many labels LabelsFromRecords would give, without making them.
qint64 LabelCountOf(const std::vector<std::unique_ptr<cParam>>& records);
// At most this many labels go out in one job.
inline constexpr qint64 kMaxLabelsPerJob = 100000;

// "Packet n of N".
QString PacketText(const PacketLabel& label);
// "<n> seeds".
QString SeedsText(const PacketLabel& label);
// The fields a 2D code carries, TAB-separated: ID, seed, packet, packets,
// seeds in the packet, date, location, comment (empty ones stay, so every
// field keeps its place).
QString LabelDataText(const PacketLabel& label, const QString& date);
