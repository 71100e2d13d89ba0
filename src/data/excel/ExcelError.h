#pragma once

#include <QString>
#include <stdexcept>

// A failure of the workbook driver: a connection, a statement or a file that
// cannot be served. Carries a message the operator or a log can read.
class ExcelError : public std::runtime_error {
public:
    explicit ExcelError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// A workbook file that cannot be read at all: not a workbook, of another
// kind, damaged, truncated or password-protected. The message names the file
// and says why.
class UnreadableWorkbookError : public ExcelError {
public:
    using ExcelError::ExcelError;
};

// A new workbook that could not be written to its folder: the message is the
// reason alone ("Permission denied", "No space left on device").
class WorkbookWriteError : public ExcelError {
public:
    using ExcelError::ExcelError;
};
