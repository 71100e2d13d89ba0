#pragma once

#include <QByteArray>
#include <QStringList>

// Writes the shared string table (SST, continued in CONTINUE records once it
// passes the record size limit) at the end of `stream`, followed by its EXTSST
// index. `total` counts the LABELSST cells that refer to the strings.
void PutSharedStrings(QByteArray& stream, const QStringList& strings, quint32 total);
