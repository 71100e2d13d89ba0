#include "ledger/LedgerExport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "data/CsvText.h"

namespace {

// Writes what `write` makes through a file renamed over `path` at the end,
// in blocks, so that a large ledger never sits whole in memory.
bool WriteInBlocks(const QString& path, const QByteArray& head, const QByteArray& tail,
                   const LedgerWalk& walk,
                   const std::function<void(const LedgerEntry&, QByteArray&)>& write,
                   QString* error) {
    QSaveFile file(path);
    const auto fail = [&](const QString& why) {
        *error = why;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    QByteArray block = head;
    bool written = true;
    const LedgerProblem problem = walk([&](const LedgerEntry& e) {
        write(e, block);
        if (block.size() > (1 << 20)) {
            written = file.write(block) == block.size();
            block.clear();
        }
        return written;
    });
    if (problem.IsProblem()) {
        return fail(problem.Message());
    }
    block += tail;
    if (!written || file.write(block) != block.size() || !file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

}  // namespace

const QStringList& LedgerCsvColumns() {
    static const QStringList columns = {"Transaction", "Station", "Sequence", "Time",  "Operator",
                                        "Sample ID",   "Kind",    "Before",   "After", "Change",
                                        "Run",         "Record",  "File",     "Reason"};
    return columns;
}

bool ExportLedgerCsv(const LedgerWalk& walk, const QString& path, QString* error) {
    QString head;
    AppendCsvRow(head, LedgerCsvColumns());
    QString row;
    return WriteInBlocks(
        path, kUtf8ByteOrderMark + head.toUtf8(), QByteArray(), walk,
        [&row](const LedgerEntry& e, QByteArray& out) {
            row.clear();
            AppendCsvRow(
                row, std::array<QString, 14>{
                         QString::number(e.id), e.station, QString::number(e.sequence), e.time,
                         e.operatorName, e.sampleId, KindName(e.kind), e.before, e.after,
                         QString::number(e.Amount()), e.run,
                         e.record > 0 ? QString::number(e.record) : QString(), e.file, e.reason});
            out += row.toUtf8();
        },
        error);
}

bool ExportLedgerBrapi(const LedgerWalk& walk, const QString& path, QString* error) {
    bool first = true;
    return WriteInBlocks(
        path, "[", "\n]\n", walk,
        [&first](const LedgerEntry& e, QByteArray& out) {
            const qint64 change = e.Amount();
            QString description =
                QString("%1 of %2: %3 to %4")
                    .arg(KindName(e.kind), e.sampleId, e.before.isEmpty() ? "nothing" : e.before,
                         e.after.isEmpty() ? "nothing" : e.after);
            if (!e.reason.isEmpty()) {
                description += QString(" (%1)").arg(e.reason);
            }
            QJsonObject o{
                {"transactionDbId", QString("%1-%2").arg(e.station).arg(e.sequence)},
                {"amount", static_cast<double>(change < 0 ? -change : change)},
                {"units", "seeds"},
                {"transactionTimestamp", e.time},
                {"transactionDescription", description},
                {change < 0 ? "fromSeedLotDbId" : "toSeedLotDbId", e.sampleId},
                {"additionalInfo", QJsonObject{{"station", e.station},
                                               {"sequence", QString::number(e.sequence)},
                                               {"operator", e.operatorName},
                                               {"kind", KindName(e.kind)},
                                               {"before", e.before},
                                               {"after", e.after},
                                               {"source", e.SourceText()},
                                               {"reason", e.reason}}},
            };
            out += first ? "\n" : ",\n";
            first = false;
            out += QJsonDocument(o).toJson(QJsonDocument::Compact);
        },
        error);
}
