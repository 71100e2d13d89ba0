#include "LedgerCommands.h"

#include <QDir>
#include <QFile>

#include "data/InventoryFile.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerCheck.h"
#include "ledger/LedgerExport.h"
#include "ledger/LedgerSettings.h"
#include "ledger/LedgerSync.h"
#include "ledger/PgLedgerSchema.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/SqliteLedgerStore.h"

namespace {

constexpr const char* kUsage =
    "usage: vyn8-ledger [--data-dir DIR] [--server CONNINFO] balance ID | history ID | "
    "export (--csv FILE | --brapi FILE) [ID] | check | init-server | sync | stations";

int Balance(LedgerStore& store, const QString& id, LedgerCommandStreams io) {
    LedgerProblem problem;
    const auto balance = store.Balance(id, &problem);
    if (problem.IsProblem()) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    if (!balance) {
        io.err << id << " has no transactions in the ledger\n";
        return 1;
    }
    io.out << *balance << "\n";
    return 0;
}

int History(LedgerStore& store, const QString& id, LedgerCommandStreams io) {
    LedgerProblem problem;
    const auto history = store.History(id, &problem);
    if (problem.IsProblem()) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    for (const LedgerEntry& e : history) {
        io.out << QStringList{e.time,
                              e.station + "#" + QString::number(e.sequence),
                              e.operatorName,
                              KindName(e.kind),
                              e.before.isEmpty() ? "-" : e.before,
                              e.after.isEmpty() ? "-" : e.after,
                              e.reason,
                              e.SourceText()}
                      .join('\t')
               << "\n";
    }
    return history.empty() ? 1 : 0;
}

int Export(LedgerStore& store, const QStringList& args, LedgerCommandStreams io) {
    if (args.size() < 2 || args.size() > 3 || (args[0] != "--csv" && args[0] != "--brapi")) {
        io.err << kUsage << "\n";
        return 2;
    }
    const QString id = args.value(2);
    const LedgerWalk walk = [&](const std::function<bool(const LedgerEntry&)>& visit) {
        if (id.isEmpty()) {
            return store.ForEach(visit);
        }
        LedgerProblem problem;
        for (const LedgerEntry& e : store.History(id, &problem)) {
            if (!visit(e)) {
                break;
            }
        }
        return problem;
    };
    QString error;
    const bool ok = args[0] == "--csv" ? ExportLedgerCsv(walk, args[1], &error)
                                       : ExportLedgerBrapi(walk, args[1], &error);
    if (!ok) {
        io.err << args[1] << " cannot be written: " << error << "\n";
        return 1;
    }
    return 0;
}

int Check(LedgerStore& store, const QString& folder, LedgerCommandStreams io) {
    InventoryMap file;
    LoadInventoryFile(QDir(folder).filePath("vyn8_inventory.txt"), file);
    LedgerProblem problem;
    const QStringList lines = CheckLedger(store, file, &problem);
    if (problem.IsProblem()) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    for (const QString& line : lines) {
        io.out << line << "\n";
    }
    if (lines.isEmpty()) {
        io.out << QString(
                      "%1 transactions; the balances are vyn8_inventory.txt's and no "
                      "station's sequence has a gap\n")
                      .arg(store.Count(&problem));
    }
    return lines.isEmpty() ? 0 : 1;
}

int Stations(PgLedgerStore& lab, LedgerCommandStreams io) {
    LedgerProblem problem;
    const QStringList lines = lab.Stations(&problem);
    if (problem.IsProblem()) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    for (const QString& line : lines) {
        io.out << line << "\n";
    }
    return 0;
}

int Sync(SqliteLedgerStore& local, PgLedgerStore& lab, LedgerCommandStreams io) {
    const QString station = StoredStation();
    const SyncReport report = SendWaiting(local, lab, station);
    io.out << QString("%1 transactions of %2 sent to %3, %4 there already, %5 waiting")
                  .arg(report.sent)
                  .arg(station, lab.Location())
                  .arg(report.alreadyThere)
                  .arg(report.waiting)
           << "\n";
    if (report.problem.IsProblem()) {
        io.err << report.problem.Message() << "\n";
        return 1;
    }
    return 0;
}

// The lab's ledger: no station's sequence has a gap, and this station's
// transactions are all there.
int CheckServer(PgLedgerStore& lab, SqliteLedgerStore& local, LedgerCommandStreams io) {
    LedgerProblem problem;
    QStringList lines = lab.SequenceGaps(&problem);
    const QString station = StoredStation();
    const qint64 waiting =
        local.LastSequence(station, &problem) - lab.LastSequence(station, &problem);
    if (problem.IsProblem()) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    if (waiting > 0) {
        lines << QString("station %1: %2 transactions are not on the server yet (vyn8-ledger sync)")
                     .arg(station)
                     .arg(waiting);
    }
    for (const QString& line : lines) {
        io.out << line << "\n";
    }
    if (lines.isEmpty()) {
        io.out << QString("%1 transactions on %2; no station's sequence has a gap\n")
                      .arg(lab.Count(&problem))
                      .arg(lab.Location());
    }
    return lines.isEmpty() ? 0 : 1;
}

}  // namespace

int RunLedgerCommand(const QString& folder, const QStringList& args, LedgerCommandStreams io,
                     const QString& server) {
    const QString command = args.value(0);
    const bool takesId = command == "balance" || command == "history";
    const bool alone = command == "check" || command == "init-server" || command == "sync" ||
                       command == "stations";
    if ((takesId && args.size() != 2) || (alone && args.size() != 1) ||
        (!takesId && !alone && command != "export") ||
        (server.isEmpty() && alone && command != "check")) {
        io.err << kUsage << (alone ? "\n(" + command + " needs --server)" : QString()) << "\n";
        return 2;
    }
    if (command == "init-server") {
        const LedgerProblem problem = PgLedgerStore::InitServer(server);
        io.out << (problem.IsProblem() ? problem.Message()
                                       : "The ledger on " + ServerLocation(server) + " is ready.")
               << "\n";
        return problem.IsProblem() ? 1 : 0;
    }
    LedgerProblem problem;
    std::unique_ptr<PgLedgerStore> lab;
    if (!server.isEmpty() && !(lab = PgLedgerStore::Open(server, &problem))) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    if (command == "stations") {
        return Stations(*lab, io);
    }
    const QString path = QDir(folder).filePath(kLedgerFileName);
    std::unique_ptr<SqliteLedgerStore> local;
    if (!lab || command == "sync" || command == "check") {
        if (!QFile::exists(path)) {
            io.err << "There is no inventory ledger " << path << ".\n";
            return 1;
        }
        if (!(local = SqliteLedgerStore::Open(path, &problem))) {
            io.err << problem.Message() << "\n";
            return 1;
        }
    }
    if (command == "sync") {
        return Sync(*local, *lab, io);
    }
    if (lab && command == "check") {
        return CheckServer(*lab, *local, io);
    }
    LedgerStore* store = lab ? static_cast<LedgerStore*>(lab.get()) : local.get();
    if (command == "balance") {
        return Balance(*store, args[1], io);
    }
    if (command == "history") {
        return History(*store, args[1], io);
    }
    if (command == "export") {
        return Export(*store, args.mid(1), io);
    }
    return Check(*local, folder, io);
}
