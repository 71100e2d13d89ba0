#include "data/excel/PythonSheets.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>

namespace {

const char* const kReadScript = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
out = []
for sh in book.sheets():
    out.append({"name": sh.name,
                "rows": [[sh.cell_value(r, c) for c in range(sh.ncols)] for r in range(sh.nrows)]})
sys.stdout.write(json.dumps(out))
)";

const char* const kWriteScript = R"(
import datetime, json, sys, xlwt
from xlwt import CompoundDoc
sheets = json.load(open(sys.argv[2]))
patch = sys.argv[3]
book = xlwt.Workbook()
stamp_style = xlwt.easyxf(num_format_str="YYYY-MM-DD HH:MM:SS")
date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
for spec in sheets:
    sh = book.add_sheet(spec["name"])
    for r, row in enumerate(spec["rows"]):
        for c, v in enumerate(row):
            if v is None:
                continue
            if isinstance(v, dict) and "formula" in v:
                sh.write(r, c, xlwt.Formula(v["formula"][1:]))
            elif isinstance(v, dict):
                d = v["date"]
                sh.write(r, c, datetime.datetime(*d), stamp_style if any(d[3:]) else date_style)
            else:
                sh.write(r, c, v)
data = book.get_biff_data()
if patch == "filepass":
    # The globals' WRITEACCESS record becomes FILEPASS: a protected workbook.
    i = data.find(b"\x5c\x00\x70\x00")
    data = data[:i] + b"\x2f\x00" + data[i + 2:]
elif patch == "biff5":
    data = data[:4] + b"\x00\x05" + data[6:]
CompoundDoc.XlsDoc().save(sys.argv[1], data)
)";

}  // namespace

bool RunPython(const QString& python, const QStringList& args, QByteArray* out) {
    QProcess p;
    p.start(python, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "python failed: " << p.readAllStandardError().toStdString();
        return false;
    }
    if (out) {
        *out = p.readAllStandardOutput();
    }
    return true;
}

QString FindPython(const QString& module) {
    QStringList candidates = {"/usr/bin/python3", "python3"};
    if (qEnvironmentVariableIsSet("VYN8_PYTHON")) {
        candidates.prepend(qEnvironmentVariable("VYN8_PYTHON"));
    }
    for (const QString& python : candidates) {
        QProcess p;
        p.start(python, {"-c", "import " + module});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
            p.exitCode() == 0) {
            return python;
        }
    }
    return QString();
}

QJsonArray ReadWithXlrd(const QString& python, const QString& path) {
    QByteArray out;
    if (!RunPython(python, {"-c", kReadScript, path}, &out)) {
        return {};
    }
    return QJsonDocument::fromJson(out).array();
}

bool WriteWithXlwt(const QString& python, const QString& path, const QJsonArray& sheets,
                   const QString& biffPatch) {
    QTemporaryFile spec;
    if (!spec.open()) {
        ADD_FAILURE() << "cannot make a temporary file";
        return false;
    }
    spec.write(QJsonDocument(sheets).toJson());
    spec.flush();
    return RunPython(python, {"-c", kWriteScript, path, spec.fileName(), biffPatch}, nullptr);
}
