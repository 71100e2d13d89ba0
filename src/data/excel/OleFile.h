#pragma once

#include <QByteArray>
#include <QString>

// An OLE2 compound file holding one stream `streamName` with `bytes`.
// Throws ExcelError when it cannot be built.
QByteArray BuildCompoundFile(const QString& streamName, const QByteArray& bytes);

// The "Workbook" stream of the compound file whose bytes are `file`. Throws
// UnreadableWorkbookError saying why there is none (a text file, a .xlsx
// workbook, an older workbook, a damaged container); the caller names the
// file.
QByteArray ReadWorkbookStream(const QByteArray& file);

// Writes `bytes` to `path`, which must not exist yet: through a temporary
// file in the same folder that is then renamed without replacing anything,
// so a failure leaves no half file and an existing file is never touched.
// Throws ExcelError on failure.
void WriteNewFile(const QString& path, const QByteArray& bytes);
