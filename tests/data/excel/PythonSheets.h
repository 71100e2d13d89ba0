#pragma once

// Independent readers and writers of .xls files for the tests: python3 with
// xlrd (reading) and xlwt (writing). A test that cannot find them is skipped,
// saying so.

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable test failures for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Rows given one by one: a braced list of a single array would be copied.
inline QJsonArray Rows(std::initializer_list<QJsonArray> rows) {
    QJsonArray out;
    for (const QJsonArray& r : rows) {
        out.append(r);
    }
    return out;
}

// Runs python with `args`; its standard output into `out` when given. Fails
// the calling test and returns false when it does not end well.
bool RunPython(const QString& python, const QStringList& args, QByteArray* out);

// A python3 that imports `module`; empty when there is none.
QString FindPython(const QString& module);

// Every sheet of the workbook at `path` as read by xlrd:
// [{"name": ..., "rows": [[cell text, ...], ...]}, ...]; cells of text come
// back as text, numbers as numbers. Fails the calling test on error.
QJsonArray ReadWithXlrd(const QString& python, const QString& path);

// Writes a workbook with xlwt from `sheets` in the same form: strings become
// text cells, numbers numeric cells, null an empty cell, and an object
// {"date": [y, m, d, h, mi, s]} a date cell (with a time format when the
// time is not midnight), {"formula": "=..."} a formula (which xlwt stores
// without a result). `biffPatch` "filepass" marks the workbook
// password-protected, "biff5" makes its first record claim an older version. Returns false (and
// fails the calling test) on error.
bool WriteWithXlwt(const QString& python, const QString& path, const QJsonArray& sheets,
                   const QString& biffPatch = QString());

#define SKIP_WITHOUT_PYTHON(var, module)                                                    \
    const QString var = FindPython(module);                                                 \
    if (var.isEmpty()) {                                                                    \
        GTEST_SKIP() << "skipped: no python3 with " module " (install python3-" module ")"; \
    }
