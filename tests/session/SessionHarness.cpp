#include "session/SessionHarness.h"

QStringList RecordingPort::Commands() const {
    QStringList out;
    for (const QByteArray& f : frames) {
        // STX type US text... ETX: the text between the first two separators.
        const QList<QByteArray> parts = f.mid(1, f.size() - 2).split('\x1F');
        out << QString::fromLatin1(parts.value(1));
    }
    return out;
}

SessionHarness::SessionHarness() {
    const char* sets[][5] = {{"Wheat", "50", "5", "4", "3"}, {"Barley", "60", "6", "5", "4"}};
    for (int k = 0; k < 2; ++k) {
        doc.m_seedNames[k] = sets[k][0];
        doc.m_feedSpeeds[k] = sets[k][1];
        doc.m_gateVers[k] = sets[k][2];
        doc.m_gateHors[k] = sets[k][3];
        doc.m_sensitivities[k] = sets[k][4];
    }
    QObject::connect(&session, &CountSession::message,
                     [this](const PromptRequest& r) { messages << r.text; });
    QObject::connect(&session, &CountSession::figuresFinal,
                     [this](const FinalFigures& f) { finals.push_back(f); });
    session.StartUp();
    Connect();
}

void SessionHarness::Says(const QString& event) {
    session.CounterMessage(frames::Decode(frames::EventFrame(event)));
}

void SessionHarness::Counts(const QString& count, const QString& packNo) {
    session.CounterMessage(frames::Decode(frames::CountFrame(count, packNo)));
}

void SessionHarness::Series(const QString& id,
                            const std::vector<std::pair<QString, QString>>& rows) {
    if (session.Mode() != CountMode::Batch) {
        session.ChooseBatch();
    }
    if (session.ScanId(id) == EntryStep::AskRows) {
        for (const auto& [packets, seeds] : rows) {
            session.AddEntryRow({id, packets, seeds, QString(), QString()});
        }
        session.EndEntry();
    }
    session.Start();
}

void SessionHarness::SetAutoDump(bool on) {
    CountSession::Options o = session.Opts();
    o.autoDump = on;
    session.SetOptions(o);
}

std::vector<RecordRow> SessionHarness::Records() const {
    std::vector<RecordRow> out;
    for (const auto& r : doc.m_records) {
        out.push_back({r->m_strIdBarcode, r->m_strPackNo, r->m_strNumPerPacket, r->m_strInventory,
                       r->m_strTotalQuantity, r->m_strComment});
    }
    return out;
}

QString SessionHarness::Inventory(const QString& id) const {
    QString value;
    doc.m_inventory.Lookup(id, &value);
    return value;
}
