#pragma once

// A count session with a document of two seed sets and a port that records
// the frames it is given: the counting rules driven in plain calls.

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"
#include "link/CounterPort.h"
#include "session/CountSession.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class RecordingPort : public CounterPort {
public:
    SendResult Send(const QByteArray& frame, FrameSender) override {
        if (failing) {
            return SendResult::Failed;
        }
        frames.push_back(frame);
        return SendResult::Sent;
    }
    // The texts of the command frames sent, in order.
    QStringList Commands() const;
    bool failing = false;
    std::vector<QByteArray> frames;
};

// One record as the files show it: ID, PackNo, Num/P, Inventory, Total
// Quantity, Comment.
using RecordRow = std::array<QString, 6>;

class SessionHarness {
public:
    SessionHarness();

    void Connect() { session.LinkEstablished(&port); }
    void Says(const QString& event);
    void Counts(const QString& count, const QString& packNo);
    // Totalize Count: the scan starts the sample.
    void Scan(const QString& id) { session.ScanId(id); }
    // Batch Count: a series entered through Data Input, then Start.
    void Series(const QString& id, const std::vector<std::pair<QString, QString>>& rows);
    void CloseDumpNotice() { session.DumpNoticeClosed(); }
    void SetAutoDump(bool on);
    // The answer to a dump: the left-over counted back, then "Dump".
    void DumpAnswer(const QString& leftOver) {
        Counts(leftOver, "0");
        Says("Dump");
    }

    std::vector<RecordRow> Records() const;
    QString Inventory(const QString& id) const;

    Cvyn8_rk47Doc doc;
    RecordingPort port;
    CountSession session{&doc};
    QStringList messages;
    std::vector<FinalFigures> finals;
};
