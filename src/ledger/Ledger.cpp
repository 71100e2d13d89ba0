#include "ledger/Ledger.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include "ledger/LedgerCheck.h"
#include "ledger/SqliteLedgerStore.h"
#include "platform/NumText.h"
#include "platform/StoredText.h"

namespace {

constexpr const char* kOpeningNote = "opening balances taken";

// Moves a damaged database and its journal files aside under
// vyn8_ledger.damaged-<UTC time>.sqlite; the name kept, or empty.
QString KeepDamaged(const QString& path, LedgerProblem* problem) {
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTimeUtc().toString("yyyyMMdd'T'HHmmss'Z'");
    const QString kept = info.dir().filePath(
        QString("%1.damaged-%2.%3").arg(info.completeBaseName(), stamp, info.suffix()));
    if (QFile::exists(kept) || !QFile::rename(path, kept)) {
        problem->detail += QString("; it cannot be moved aside to %1").arg(kept);
        return QString();
    }
    for (const char* journal : {"-wal", "-shm"}) {
        if (QFile::exists(path + journal)) {
            QFile::rename(path + journal, kept + journal);
        }
    }
    return kept;
}

}  // namespace

Ledger::Ledger(const QString& folder, LedgerIdentity identity)
    : m_path(QDir(folder).filePath(kLedgerFileName)), m_identity(std::move(identity)) {
    const QString path = m_path;
    m_open = [path](LedgerProblem* problem) -> std::unique_ptr<LedgerStore> {
        return SqliteLedgerStore::Open(path, problem);
    };
}

Ledger::Ledger(StoreOpener open, LedgerIdentity identity)
    : m_open(std::move(open)), m_identity(std::move(identity)) {}

Ledger::~Ledger() = default;

QString Ledger::Location() const {
    return m_store ? m_store->Location() : m_path;
}

QString Ledger::DefaultStation() {
    return QSysInfo::machineHostName();
}

QString Ledger::DefaultOperator() {
    // The account's name, whatever the environment says.
    if (const passwd* account = getpwuid(getuid()); account && account->pw_name) {
        return QString::fromLocal8Bit(account->pw_name);
    }
    return qEnvironmentVariable("USER");
}

QString Ledger::CorrectionValueProblem(const QString& value) {
    if (!IsWholeNumber(value)) {
        return "Entry digit number !";
    }
    return value.size() > 5 || value.toInt() > 65535 ? "Invalid Value !" : QString();
}

LedgerStartReport Ledger::Start(const InventoryMap& inventoryFile,
                                std::optional<QDateTime> fileWritten) {
    m_startFile = inventoryFile;
    m_startFileWritten = fileWritten;
    m_startTime = LedgerTimeText(QDateTime::currentDateTimeUtc());
    m_bReconciled = false;
    m_store.reset();
    LedgerStartReport report;
    report.problem = Open(&report);
    if (!report.problem.IsProblem()) {
        report.problem = Flush();
    }
    return report;
}

LedgerProblem Ledger::Open(LedgerStartReport* report) {
    LedgerProblem problem;
    m_store = m_open(&problem);
    QString reason;
    if (!m_store && problem.kind == LedgerProblem::Kind::Corrupt && !m_path.isEmpty()) {
        report->damagedKeptAs = KeepDamaged(m_path, &problem);
        if (!report->damagedKeptAs.isEmpty()) {
            problem = {};
            m_store = m_open(&problem);
            reason = QString("a new ledger; the damaged one is kept as %1")
                         .arg(QFileInfo(report->damagedKeptAs).fileName());
        }
    }
    if (!m_store || m_bReconciled) {
        return problem;
    }
    // The inventory file as the start found it comes before whatever
    // happened since.
    const bool taken =
        m_store->Note(kOpeningNote, &problem).has_value() || m_store->Count(&problem) > 0;
    const InventoryMap balances = taken ? m_store->Balances(&problem) : InventoryMap();
    if (problem.IsProblem()) {
        m_store.reset();
        return problem;
    }
    std::vector<LedgerEntry> first;
    if (!taken) {
        for (const auto& [id, value] : m_startFile) {
            if (!id.isEmpty() && FindTextFault(id) == TextFault::None) {
                first.push_back(
                    MakeEntry(id, InventoryChangeKind::OpeningBalance, QString(), value));
                first.back().reason = reason;
            }
        }
        report->openingBalances = static_cast<int>(first.size());
        m_bNoteOpening = !first.empty();
    }
    // A ledger that existed: what the file holds that it does not was
    // changed by hand while the console was closed, unless the file is only
    // behind it.
    auto changed =
        taken ? CompareBalances(balances, m_startFile) : std::vector<BalanceDifference>();
    std::vector<Behind> how;
    for (const BalanceDifference& d : changed) {
        how.push_back(FileBehind(d.id, d.file, &problem));
    }
    if (problem.IsProblem()) {
        m_store.reset();
        return problem;
    }
    for (size_t i = 0; i < changed.size(); ++i) {
        const BalanceDifference& d = changed[i];
        if (how[i] == Behind::No) {
            first.push_back(MakeEntry(d.id, InventoryChangeKind::Correction, d.ledger, d.file));
            first.back().reason = kChangedOutsideReason;
            report->changedOutside << d.id;
        } else {
            if (report->fileBehind.isEmpty() && report->labBehind.isEmpty()) {
                report->current = m_startFile;
            }
            (how[i] == Behind::ByThisStation ? report->fileBehind : report->labBehind) << d.id;
            report->current.Set(d.id, d.ledger);
        }
    }
    for (LedgerEntry& e : first) {
        e.time = m_startTime;
    }
    m_waiting.insert(m_waiting.begin(), first.begin(), first.end());
    m_bReconciled = true;
    return problem;
}

Ledger::Behind Ledger::FileBehind(const QString& id, const QString& fileValue,
                                  LedgerProblem* problem) {
    if (!m_startFileWritten) {
        return Behind::No;
    }
    // No file: everything the ledger holds came after it.
    const QString written =
        m_startFileWritten->isValid() ? LedgerTimeText(m_startFileWritten->toUTC()) : QString();
    // This station's opening balances and outside changes were taken from
    // the file itself.
    const auto fromFile = [this](const LedgerEntry& e) {
        return e.station == m_identity.station &&
               (e.kind == InventoryChangeKind::OpeningBalance ||
                (e.kind == InventoryChangeKind::Correction && e.reason == kChangedOutsideReason));
    };
    // What other stations did counts from when it reached this ledger.
    QString then;
    bool changedSince = false;
    bool byThisStation = false;
    for (const LedgerEntry& e : m_store->History(id, problem)) {
        if (e.kept <= written || fromFile(e)) {
            then = e.after;
            changedSince = byThisStation = false;
        } else {
            changedSince = true;
            byThisStation = byThisStation || e.station == m_identity.station;
        }
    }
    if (!changedSince || then != fileValue) {
        return Behind::No;
    }
    return byThisStation ? Behind::ByThisStation : Behind::ByOtherStations;
}

LedgerProblem Ledger::NoteOpeningTaken() {
    return m_store->SetNote(kOpeningNote, LedgerTimeText(QDateTime::currentDateTimeUtc()));
}

LedgerEntry Ledger::MakeEntry(const QString& id, InventoryChangeKind kind, const QString& before,
                              const QString& after) const {
    LedgerEntry e;
    e.station = m_identity.station;
    e.time = LedgerTimeText(QDateTime::currentDateTimeUtc());
    e.operatorName = m_identity.operatorName;
    e.sampleId = id;
    e.kind = kind;
    e.before = before;
    e.after = after;
    return e;
}

LedgerProblem Ledger::Record(const FinalFigures& figures) {
    std::vector<LedgerEntry> entries;
    for (const InventoryChange& change : figures.inventory) {
        entries.push_back(MakeEntry(change.id, change.kind, change.before, change.after));
        if (change.recordIndex >= 0) {
            entries.back().run = m_identity.run;
            entries.back().record = change.recordIndex + 1;
        }
    }
    return Add(std::move(entries));
}

LedgerProblem Ledger::Correct(const QString& id, const QString& value, const QString& reason) {
    const auto refused = [](const QString& why) {
        return LedgerProblem{LedgerProblem::Kind::Refused, QString(), why};
    };
    if (const QString why = CorrectionValueProblem(value); !why.isEmpty()) {
        return refused(why);
    }
    if (reason.trimmed().isEmpty()) {
        return refused("A correction needs a reason.");
    }
    std::vector<LedgerEntry> entries{
        MakeEntry(id, InventoryChangeKind::Correction, Current(id), value)};
    entries.back().reason = reason.trimmed();
    return Add(std::move(entries));
}

QString Ledger::Current(const QString& id) {
    for (auto it = m_waiting.rbegin(); it != m_waiting.rend(); ++it) {
        if (it->sampleId == id) {
            return it->after;
        }
    }
    return Balance(id).value_or(QString());
}

LedgerProblem Ledger::Add(std::vector<LedgerEntry> entries) {
    for (const LedgerEntry& e : entries) {
        if (const QString why = StoredTextProblem("The sample ID", e.sampleId);
            e.sampleId.isEmpty() || !why.isEmpty()) {
            return {LedgerProblem::Kind::Refused, QString(),
                    why.isEmpty() ? QString("A transaction needs a sample ID.") : why};
        }
    }
    m_waiting.insert(m_waiting.end(), std::make_move_iterator(entries.begin()),
                     std::make_move_iterator(entries.end()));
    return Flush();
}

LedgerProblem Ledger::Flush() {
    LedgerProblem problem;
    if (!m_store) {
        LedgerStartReport late;
        problem = Open(&late);
    }
    if (m_store && !m_waiting.empty()) {
        problem = m_store->Append(m_waiting);
        if (!problem.IsProblem()) {
            m_waiting.clear();
        }
    }
    if (m_store && !problem.IsProblem() && m_bNoteOpening) {
        problem = NoteOpeningTaken();
        m_bNoteOpening = problem.IsProblem();
    }
    return problem;
}

LedgerProblem Ledger::TakeFromServer(const std::vector<LedgerEntry>& entries,
                                     const QString& readNote, QStringList* changed) {
    LedgerProblem problem = Flush();
    auto* local = dynamic_cast<SqliteLedgerStore*>(m_store.get());
    if (!problem.IsProblem() && !local) {
        problem = {LedgerProblem::Kind::Refused, Location(),
                   "only a station's own ledger keeps what the lab's server received"};
    }
    return problem.IsProblem() ? problem : local->TakeFromServer(entries, readNote, changed);
}

LedgerProblem Ledger::NoteSaved(const std::vector<int>& recordIndices, const QString& file) {
    std::vector<int> records;
    for (int index : recordIndices) {
        records.push_back(index + 1);
    }
    LedgerProblem problem = Flush();
    if (!problem.IsProblem() && !records.empty()) {
        problem = m_store->NoteSaved(m_identity.run, records, file);
    }
    return problem;
}

std::optional<QString> Ledger::Balance(const QString& id) {
    for (auto it = m_waiting.rbegin(); it != m_waiting.rend(); ++it) {
        if (it->sampleId == id) {
            return it->after;
        }
    }
    LedgerProblem problem;
    return m_store ? m_store->Balance(id, &problem) : std::nullopt;
}

std::vector<LedgerEntry> Ledger::History(const QString& id) {
    LedgerProblem problem;
    std::vector<LedgerEntry> out;
    if (m_store) {
        out = m_store->History(id, &problem);
    }
    for (const LedgerEntry& e : m_waiting) {
        if (e.sampleId == id) {
            out.push_back(e);
        }
    }
    return out;
}

LedgerProblem Ledger::ForEach(const QString& id,
                              const std::function<bool(const LedgerEntry&)>& visit) {
    bool more = true;
    const auto until = [&](const LedgerEntry& e) { return more = visit(e); };
    LedgerProblem problem;
    if (!id.isEmpty()) {
        for (const LedgerEntry& e : History(id)) {
            if (!until(e)) {
                break;
            }
        }
        return problem;
    }
    if (m_store) {
        problem = m_store->ForEach(until);
    }
    for (size_t i = 0; more && i < m_waiting.size(); ++i) {
        until(m_waiting[i]);
    }
    return problem;
}
