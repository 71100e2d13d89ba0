#pragma once

#include <QByteArray>
#include <QString>

// The console's 8-bit text files: each UTF-16 unit is written as its low byte,
// bytes read back as Latin-1; a line feed is CR LF on disk and a CR LF pair
// reads back as one line feed (a lone CR stays an ordinary character).
namespace text8 {

QByteArray Encode(const QString& text);  // low byte of each unit
// A field of a TAB-separated file, the last guard of its separators: as
// Encode, but a TAB, CR or LF becomes a space and a character outside
// Latin-1 a '?' (its low byte could be a separator). Entry refuses such text,
// so stored values are written unchanged.
QByteArray EncodeField(const QString& text);
QString Decode(const QByteArray& bytes);        // Latin-1
QByteArray ToDisk(const QByteArray& textMode);  // LF -> CR LF
QByteArray FromDisk(const QByteArray& onDisk);  // CR LF -> LF

// Reads a whole file in text mode. False when it cannot be opened.
bool ReadFile(const QString& path, QByteArray* textMode);

// Writes `textMode` (LF line ends) to `path` through a temporary file renamed
// over the old one, so an interrupted write never leaves a half file. The new
// file keeps the owner and mode of the old one. Where that cannot be (a
// folder that takes no new file, another user's file), the file is written
// in place instead. On failure returns false and sets `error` to a reason fit
// for the operator.
bool WriteFileAtomic(const QString& path, const QByteArray& textMode, QString* error = nullptr);
// The same for bytes written as they are.
bool WriteBytesAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace text8
