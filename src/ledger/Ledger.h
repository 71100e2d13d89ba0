#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "data/InventoryChange.h"
#include "data/InventoryMap.h"
#include "ledger/LedgerEntry.h"
#include "ledger/LedgerProblem.h"
#include "ledger/LedgerStore.h"

inline constexpr const char* kLedgerFileName = "vyn8_ledger.sqlite";
inline constexpr const char* kChangedOutsideReason = "changed outside the console";

// Who and where the transactions of this run come from.
struct LedgerIdentity {
    QString station;       // host name unless set
    QString operatorName;  // the OS user unless set
    QString run;           // this run of the console
};

// What the start of the ledger found, for the operator.
struct LedgerStartReport {
    LedgerProblem problem;       // the ledger cannot be used now: transactions wait
    QString damagedKeptAs;       // a damaged database moved aside under this name
    int openingBalances = 0;     // entries of the inventory file taken over
    QStringList changedOutside;  // IDs whose inventory file value was changed by hand
    // The file is the one the console last wrote, but the ledger kept later
    // changes (the console ended without writing it back): these IDs' values
    // in the file are behind, and `current` is the file brought up to date.
    QStringList fileBehind;
    // Behind only by what other stations counted (the lab's server): the
    // file is brought up to date without a word.
    QStringList labBehind;
    InventoryMap current;
};

// The inventory ledger of one data folder: every change of an ID's inventory
// becomes a transaction. Transactions that cannot be stored yet wait in
// memory, in order, and are stored at the next chance; the history and the
// balances include them.
class Ledger {
public:
    using StoreOpener = std::function<std::unique_ptr<LedgerStore>(LedgerProblem*)>;

    // A ledger in `folder`'s vyn8_ledger.sqlite.
    Ledger(const QString& folder, LedgerIdentity identity);
    // A ledger in the store `open` gives (each retry opens it again).
    Ledger(StoreOpener open, LedgerIdentity identity);
    ~Ledger();

    // Opens the store; on the first start takes the inventory file's values
    // as opening balances; records the values the file holds that the ledger
    // does not as corrections made outside the console. A damaged SQLite
    // file is kept under a dated name and a new ledger started from the
    // file's values.
    //
    // `fileWritten` is when the file was last written (an invalid time when
    // there is none): an ID whose value in the file is what the ledger held
    // then, and that the ledger changed since, is behind, not edited: the
    // console ended before it wrote the file again, and the ledger's value
    // stands.
    LedgerStartReport Start(const InventoryMap& inventoryFile,
                            std::optional<QDateTime> fileWritten = std::nullopt);

    // The figures of a sample made final: one transaction per inventory change.
    LedgerProblem Record(const FinalFigures& figures);
    // A correction by hand: `value` a whole number, `reason` not blank.
    LedgerProblem Correct(const QString& id, const QString& value, const QString& reason);
    // The records of this run saved to `file`.
    LedgerProblem NoteSaved(const std::vector<int>& recordIndices, const QString& file);
    // Stores what waits; the problem when it still cannot.
    LedgerProblem Flush();
    // Keeps what the lab's server received (ServerSyncState::read) and notes
    // the last under `readNote`; `changed` gets the IDs of what was new.
    LedgerProblem TakeFromServer(const std::vector<LedgerEntry>& entries, const QString& readNote,
                                 QStringList* changed);

    std::optional<QString> Balance(const QString& id);
    // Visits every transaction (or `id`'s), stored ones first, then what waits.
    LedgerProblem ForEach(const QString& id, const std::function<bool(const LedgerEntry&)>& visit);
    std::vector<LedgerEntry> History(const QString& id);
    const std::vector<LedgerEntry>& Waiting() const { return m_waiting; }
    // The store, when it is open (export, check).
    LedgerStore* Store() const { return m_store.get(); }
    QString Location() const;

    const LedgerIdentity& Identity() const { return m_identity; }
    void SetOperator(const QString& name) { m_identity.operatorName = name; }
    void SetStation(const QString& name) { m_identity.station = name; }

    // The defaults: the host name and the OS user.
    static QString DefaultStation();
    static QString DefaultOperator();
    // The message for a value a correction cannot take; empty when it can.
    static QString CorrectionValueProblem(const QString& value);

private:
    LedgerEntry MakeEntry(const QString& id, InventoryChangeKind kind, const QString& before,
                          const QString& after) const;
    LedgerProblem Add(std::vector<LedgerEntry> entries);
    // The value before a change of `id`: its balance with what waits.
    QString Current(const QString& id);
    // Opens the store; the first time after Start(), puts the inventory
    // file's opening balances or outside changes before what waits.
    LedgerProblem Open(LedgerStartReport* report);
    LedgerProblem NoteOpeningTaken();
    // The file's value of the ID is what the ledger held when the file was
    // written, and the ledger changed it since: by this station's own
    // transactions, or only by other stations' that came from the server.
    enum class Behind { No, ByThisStation, ByOtherStations };
    Behind FileBehind(const QString& id, const QString& fileValue, LedgerProblem* problem);

    QString m_path;
    StoreOpener m_open;
    LedgerIdentity m_identity;
    std::unique_ptr<LedgerStore> m_store;
    std::vector<LedgerEntry> m_waiting;
    InventoryMap m_startFile;                     // the inventory file as Start() found it
    std::optional<QDateTime> m_startFileWritten;  // and when it was written
    QString m_startTime;
    bool m_bReconciled = true;    // the ledger has been compared with it
    bool m_bNoteOpening = false;  // opening balances taken: note it once stored
};
