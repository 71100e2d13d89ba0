#pragma once

#include <QString>

// What went wrong with the ledger's database, as a value: the room above
// decides how the operator hears of it.
struct LedgerProblem {
    enum class Kind {
        None,
        CannotOpen,   // no such folder, a folder in its place, no permission
        ReadOnly,     // a read-only file or folder
        Locked,       // another program holds the database past the wait
        Full,         // the disk is full
        Corrupt,      // not a database, or a damaged one
        NewerSchema,  // made by a newer console: left as it is
        Refused,      // a value the ledger does not take (a correction without reason, ...)
        Other,
    };
    Kind kind = Kind::None;
    QString file;    // the database concerned
    QString detail;  // the database's own words, or what was refused

    bool IsProblem() const { return kind != Kind::None; }
    // One line for the operator, naming the file.
    QString Message() const;
};
