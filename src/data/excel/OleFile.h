#pragma once

#include <QByteArray>
#include <QString>

// An OLE2 compound file holding one stream `streamName` with `bytes`.
// Throws ExcelError when it cannot be built.
QByteArray BuildCompoundFile(const QString& streamName, const QByteArray& bytes);

// Writes `bytes` to `path`, which must not exist yet: through a temporary
// file in the same folder that is then renamed without replacing anything,
// so a failure leaves no half file and an existing file is never touched.
// Throws ExcelError on failure.
void WriteNewFile(const QString& path, const QByteArray& bytes);
