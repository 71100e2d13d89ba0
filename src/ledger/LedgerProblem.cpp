#include "ledger/LedgerProblem.h"

QString LedgerProblem::Message() const {
    QString what;
    switch (kind) {
        case Kind::None:
            return QString();
        case Kind::CannotOpen:
            what = "cannot be opened";
            break;
        case Kind::ReadOnly:
            what = "cannot be written (read-only)";
            break;
        case Kind::Locked:
            what = "is in use by another program and cannot be written now";
            break;
        case Kind::Full:
            what = "cannot be written: the disk is full";
            break;
        case Kind::Corrupt:
            what = "is damaged";
            break;
        case Kind::NewerSchema:
            what = "was made by a newer console and is left as it is";
            break;
        case Kind::Refused:
            return detail;
        case Kind::Other:
            what = "cannot be used";
            break;
    }
    QString text = QString("The inventory ledger %1 %2").arg(file, what);
    if (!detail.isEmpty()) {
        text += QString(" (%1)").arg(detail);
    }
    return text + ".";
}
