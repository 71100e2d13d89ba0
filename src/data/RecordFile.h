#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "data/cParam.h"

// Sample record files: one line per record, eight fields each followed by a
// TAB but the eighth, which the line end follows; 8-bit text, CR LF on disk.

enum class RecordFieldOrder { Record, Shutdown };

// The text-mode bytes of `records` in the given field order.
QByteArray FormatRecords(const std::vector<std::unique_ptr<cParam>>& records,
                         RecordFieldOrder order);
// Every run of eight fields, each ended by a TAB or a line feed, is one record
// in record order; an incomplete last record is dropped, and `incompleteEnd`
// (when given) tells whether there was one. Fields are read whole.
std::vector<std::array<QString, 8>> ParseRecords(const QByteArray& textMode,
                                                 bool* incompleteEnd = nullptr);

// Reads a record file from disk. False with a reason in `error` when it cannot
// be read; nothing is parsed then.
bool ReadRecordFile(const QString& path, std::vector<std::array<QString, 8>>* records,
                    QString* error = nullptr, bool* incompleteEnd = nullptr);
// Writes through a temporary file renamed over the old one. No field ever
// holds a TAB or a line end (see text8::EncodeField).
bool WriteRecordFile(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                     RecordFieldOrder order, QString* error = nullptr);
