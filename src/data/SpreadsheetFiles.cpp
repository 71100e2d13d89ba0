#include "data/SpreadsheetFiles.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "data/CsvText.h"
#include "data/excel/CsvReader.h"
#include "platform/Text8.h"

namespace {

// Builds the workbook in a file of its own folder; the caller moves it.
QString BuildXlsx(const QString& file, const QString& sheetName, const QStringList& header,
                  qsizetype rows, const std::function<QStringList(qsizetype)>& rowAt) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    options.tmpdir = const_cast<char*>(folder.constData());
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book) {
        return "the workbook cannot be made";
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    lxw_error rc = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    const auto writeRow = [&](lxw_row_t row, const QStringList& values) {
        lxw_col_t col = 0;
        for (const QString& v : values) {
            if (rc == LXW_NO_ERROR && !v.isEmpty()) {
                rc = worksheet_write_string(sheet, row, col, v.toUtf8().constData(), nullptr);
            }
            ++col;
        }
    };
    if (rc == LXW_NO_ERROR) {
        writeRow(0, header);
    }
    for (qsizetype i = 0; i < rows && rc == LXW_NO_ERROR; ++i) {
        writeRow(static_cast<lxw_row_t>(i + 1), rowAt(i));
    }
    const lxw_error closed = workbook_close(book);
    if (rc != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        return QString("the workbook cannot be written (%1)")
            .arg(QString::fromUtf8(lxw_strerror(rc != LXW_NO_ERROR ? rc : closed)));
    }
    return QString();
}

QStringList ListOf(const std::array<QString, 8>& values) {
    return QStringList(values.begin(), values.end());
}

}  // namespace

const QStringList& ExportColumnNames() {
    static const QStringList names = {"Id_barcode", "Seed",           "BatchNo",  "Packet",
                                      "Inventory",  "Total_Quantity", "Location", "Comment"};
    return names;
}

QByteArray FormatCsvTable(const QStringList& header, qsizetype rows,
                          const std::function<QStringList(qsizetype)>& rowAt) {
    QString text;
    AppendCsvRow(text, header);
    for (qsizetype i = 0; i < rows; ++i) {
        QStringList row = rowAt(i);
        for (QString& v : row) {
            v = CsvGuarded(v);
        }
        AppendCsvRow(text, row);
    }
    return kUtf8ByteOrderMark + text.toUtf8();
}

QByteArray FormatCsv(const std::vector<std::unique_ptr<cParam>>& records) {
    return FormatCsvTable(ExportColumnNames(), static_cast<qsizetype>(records.size()),
                          [&](qsizetype i) { return ListOf(records[i]->RecordOrder()); });
}

bool WriteCsvRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                     QString* error) {
    return text8::WriteBytesAtomic(path, FormatCsv(records), error);
}

bool WriteXlsxRecords(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                      QString* error) {
    return WriteXlsxTable(
        path, "Vyn8", ExportColumnNames(), static_cast<qsizetype>(records.size()),
        [&](qsizetype i) { return ListOf(records[i]->RecordOrder()); }, error);
}

bool WriteXlsxTable(const QString& path, const QString& sheetName, const QStringList& header,
                    qsizetype rows, const std::function<QStringList(qsizetype)>& rowAt,
                    QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (rows > kMaxXlsxRecords) {
        return fail(QString("an Excel workbook sheet holds at most %1 records, a text or CSV file "
                            "any number.")
                        .arg(kMaxXlsxRecords));
    }
    for (qsizetype i = 0; i < rows; ++i) {
        for (const QString& v : rowAt(i)) {
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
    const QString problem = BuildXlsx(file, sheetName, header, rows, rowAt);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    QFile built(file);
    if (!built.open(QIODevice::ReadOnly)) {
        return fail(built.errorString());
    }
    return text8::WriteBytesAtomic(path, built.readAll(), error);
}
