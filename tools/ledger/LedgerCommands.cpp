#include "LedgerCommands.h"

#include <QDir>
#include <QFile>

#include "data/InventoryFile.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerCheck.h"
#include "ledger/LedgerExport.h"
#include "ledger/SqliteLedgerStore.h"

namespace {

constexpr const char* kUsage =
    "usage: vyn8-ledger [--data-dir DIR] balance ID | history ID | "
    "export (--csv FILE | --brapi FILE) [ID] | check";

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

}  // namespace

int RunLedgerCommand(const QString& folder, const QStringList& args, LedgerCommandStreams io) {
    const QString command = args.value(0);
    const bool takesId = command == "balance" || command == "history";
    if ((takesId && args.size() != 2) || (command == "check" && args.size() != 1) ||
        (!takesId && command != "check" && command != "export")) {
        io.err << kUsage << "\n";
        return 2;
    }
    const QString path = QDir(folder).filePath(kLedgerFileName);
    if (!QFile::exists(path)) {
        io.err << "There is no inventory ledger " << path << ".\n";
        return 1;
    }
    LedgerProblem problem;
    const auto store = SqliteLedgerStore::Open(path, &problem);
    if (!store) {
        io.err << problem.Message() << "\n";
        return 1;
    }
    if (command == "balance") {
        return Balance(*store, args[1], io);
    }
    if (command == "history") {
        return History(*store, args[1], io);
    }
    if (command == "export") {
        return Export(*store, args.mid(1), io);
    }
    return Check(*store, folder, io);
}
