#include "data/SpreadsheetFiles.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "data/CsvText.h"
#include "data/excel/CsvReader.h"
#include "platform/Text8.h"

namespace {

// A record's values as written to CSV: behind the guard against formulas.
std::array<QString, 8> Guarded(std::array<QString, 8> values) {
    for (QString& v : values) {
        v = CsvGuarded(v);
    }
    return values;
}

// Builds the workbook in a file of its own folder; the caller moves it.
QString BuildXlsx(const QString& file, const std::vector<std::unique_ptr<cParam>>& records) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    options.tmpdir = const_cast<char*>(folder.constData());
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book) {
        return "the workbook cannot be made";
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Vyn8");
    lxw_error rc = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    const auto writeRow = [&](lxw_row_t row, const auto& values) {
        lxw_col_t col = 0;
        for (const QString& v : values) {
            if (rc == LXW_NO_ERROR && !v.isEmpty()) {
                rc = worksheet_write_string(sheet, row, col, v.toUtf8().constData(), nullptr);
            }
            ++col;
        }
    };
    if (rc == LXW_NO_ERROR) {
        writeRow(0, ExportColumnNames());
    }
    for (size_t i = 0; i < records.size() && rc == LXW_NO_ERROR; ++i) {
        writeRow(static_cast<lxw_row_t>(i + 1), records[i]->RecordOrder());
    }
    const lxw_error closed = workbook_close(book);
    if (rc != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        return QString("the workbook cannot be written (%1)")
            .arg(QString::fromUtf8(lxw_strerror(rc != LXW_NO_ERROR ? rc : closed)));
    }
    return QString();
}

}  // namespace

const QStringList& ExportColumnNames() {
    static const QStringList names = {"Id_barcode", "Seed",           "BatchNo",  "Packet",
                                      "Inventory",  "Total_Quantity", "Location", "Comment"};
    return names;
}

QByteArray FormatCsv(const std::vector<std::unique_ptr<cParam>>& records) {
    QString text;
    AppendCsvRow(text, ExportColumnNames());
    for (const auto& r : records) {
        AppendCsvRow(text, Guarded(r->RecordOrder()));
    }
    return kUtf8ByteOrderMark + text.toUtf8();
}

bool WriteCsvRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                     QString* error) {
    return text8::WriteBytesAtomic(path, FormatCsv(records), error);
}

bool WriteXlsxRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                      QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (static_cast<qsizetype>(records.size()) > kMaxXlsxRecords) {
        return fail(QString("an Excel workbook sheet holds at most %1 records, a text or CSV file "
                            "any number.")
                        .arg(kMaxXlsxRecords));
    }
    for (const auto& r : records) {
        for (const QString& v : r->RecordOrder()) {
            if (v.size() > kMaxXlsxCellChars) {
                return fail(QString("a cell of an Excel workbook holds at most %1 characters; a "
                                    "text or CSV file holds any number.")
                                .arg(kMaxXlsxCellChars));
            }
        }
    }
    QTemporaryDir build;
    if (!build.isValid()) {
        return fail(build.errorString());
    }
    const QString file = build.filePath("records.xlsx");
    const QString problem = BuildXlsx(file, records);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    QFile built(file);
    if (!built.open(QIODevice::ReadOnly)) {
        return fail(built.errorString());
    }
    return text8::WriteBytesAtomic(path, built.readAll(), error);
}
