#pragma once

#include <QDateTime>
#include <QString>

// What start-up found in the file of unsaved records an earlier run left.
enum class EarlierRecords { None, Kept, NotKept };

// When the record file at `path` holds records, moves it to a dated name
// beside it (VYN8_Default-2026-12-07-0930.txt for `now`; -2, -3 ... after the
// time when that name is taken, so no file is ever overwritten). `kept` gets
// the new path; `error` the reason when the file could not be moved.
EarlierRecords KeepEarlierRecordFile(const QString& path, const QDateTime& now, QString* kept,
                                     QString* error);
