#include "data/excel/PythonSpreadsheets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

namespace {

const char* const kOpenpyxlWrite = R"(
import datetime, json, sys, openpyxl
sheets = json.load(open(sys.argv[2], encoding="utf-8"))
book = openpyxl.Workbook()
book.remove(book.active)
for spec in sheets:
    sh = book.create_sheet(spec["name"])
    for r, row in enumerate(spec["rows"], start=1):
        for c, v in enumerate(row, start=1):
            if v is None:
                continue
            cell = sh.cell(row=r, column=c)
            if isinstance(v, dict) and "date" in v:
                d = v["date"]
                cell.value = datetime.datetime(*d)
                cell.number_format = "yyyy-mm-dd hh:mm:ss" if any(d[3:]) else "yyyy-mm-dd"
            elif isinstance(v, dict):
                cell.value = v["formula"]
            else:
                cell.value = v
book.save(sys.argv[1])
)";

const char* const kOpenpyxlRead = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
out = []
for sh in book.worksheets:
    rows = [["" if v is None else str(v) for v in row] for row in sh.iter_rows(values_only=True)]
    out.append({"name": sh.title, "rows": rows})
sys.stdout.write(json.dumps(out))
)";

const char* const kCsvWrite = R"(
import csv, json, sys
rows = json.load(open(sys.argv[2], encoding="utf-8"))
with open(sys.argv[1], "w", newline="", encoding=sys.argv[4]) as f:
    csv.writer(f, delimiter=sys.argv[3]).writerows(rows)
)";

const char* const kCsvRead = R"(
import csv, json, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    sys.stdout.write(json.dumps(list(csv.reader(f))))
)";

// Runs `script` with the JSON `data` in a file as its second argument.
bool RunOnJson(const QString& python, const char* script, const QJsonArray& data,
               const QString& path, const QStringList& more = {}) {
    QTemporaryFile spec;
    if (!spec.open()) {
        ADD_FAILURE() << "cannot make a temporary file";
        return false;
    }
    spec.write(QJsonDocument(data).toJson());
    spec.flush();
    return RunPython(python, QStringList{"-c", script, path, spec.fileName()} + more, nullptr);
}

QJsonArray ReadJson(const QString& python, const char* script, const QString& path) {
    QByteArray out;
    if (!RunPython(python, {"-c", script, path}, &out)) {
        return {};
    }
    return QJsonDocument::fromJson(out).array();
}

}  // namespace

bool WriteWithOpenpyxl(const QString& python, const QString& path, const QJsonArray& sheets) {
    return RunOnJson(python, kOpenpyxlWrite, sheets, path);
}

QJsonArray ReadWithOpenpyxl(const QString& python, const QString& path) {
    return ReadJson(python, kOpenpyxlRead, path);
}

bool WriteWithCsvModule(const QString& python, const QString& path, const QJsonArray& rows,
                        const QString& delimiter, const QString& encoding) {
    return RunOnJson(python, kCsvWrite, rows, path, {delimiter, encoding});
}

QJsonArray ReadWithCsvModule(const QString& python, const QString& path) {
    return ReadJson(python, kCsvRead, path);
}

bool CopyXlsAs(const QString& python, const QString& xls, const QString& to) {
    const QJsonArray sheets = ReadWithXlrd(python, xls);
    if (!to.endsWith(".csv")) {
        return WriteWithOpenpyxl(python, to, sheets);
    }
    for (const QJsonValue& sheet : sheets) {
        if (sheet.toObject()["name"].toString() == "vyn8") {
            return WriteWithCsvModule(python, to, sheet.toObject()["rows"].toArray());
        }
    }
    ADD_FAILURE() << xls.toStdString() << " has no sheet vyn8";
    return false;
}

QString FindLibreOffice() {
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return QString();
}

QString ConvertWithLibreOffice(const QString& soffice, const QString& path, const QString& outDir,
                               const QString& format, const QString& inFilter) {
    // A profile of its own, so runs side by side do not meet.
    QTemporaryDir profile;
    QProcess p;
    QStringList args{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                     "--headless",
                     "--convert-to",
                     format,
                     "--outdir",
                     outDir,
                     path};
    if (!inFilter.isEmpty()) {
        args.insert(2, "--infilter=" + inFilter);
    }
    p.start(soffice, args);
    if (!p.waitForFinished(300000) || p.exitCode() != 0) {
        ADD_FAILURE() << "LibreOffice failed: " << p.readAllStandardError().toStdString();
        return QString();
    }
    const QString ext = format.left(format.indexOf(':'));
    const QString out = QDir(outDir).filePath(QFileInfo(path).completeBaseName() + "." + ext);
    if (!QFileInfo::exists(out)) {
        ADD_FAILURE() << "LibreOffice wrote no " << out.toStdString() << ": "
                      << p.readAllStandardOutput().toStdString();
        return QString();
    }
    return out;
}

QString ConvertToCsvWithLibreOffice(const QString& soffice, const QString& path,
                                    const QString& outDir) {
    return ConvertWithLibreOffice(soffice, path, outDir,
                                  "csv:Text - txt - csv (StarCalc):44,34,76");
}
