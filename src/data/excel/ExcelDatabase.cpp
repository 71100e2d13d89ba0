#include "data/excel/ExcelDatabase.h"

#include <QFileInfo>
#include <variant>

#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelError.h"
#include "data/excel/OleFile.h"
#include "data/excel/SqlText.h"
#include "data/excel/XlsReader.h"

namespace {

void CheckSheetName(const QString& name) {
    static const QString kForbidden = QStringLiteral("[]:*?/\\");
    bool bad = name.size() > kMaxSheetNameChars;
    for (QChar c : name) {
        bad = bad || kForbidden.contains(c);
    }
    if (bad) {
        throw ExcelError(QString("'%1' cannot name a sheet").arg(name));
    }
}

}  // namespace

ExcelDatabase::ExcelDatabase() = default;
ExcelDatabase::~ExcelDatabase() = default;

QString ExcelDatabase::PathFor(const QString& connect, const char* key) const {
    const auto attrs = ParseConnectText(connect);
    if (attrs.value("DRIVER").compare(kBuiltinExcelDriverName, Qt::CaseInsensitive) != 0) {
        throw ExcelError(QString("Driver '%1' is not installed").arg(attrs.value("DRIVER")));
    }
    // The path is taken as it is: a blank at its end is part of the name.
    const QString path = attrs.value(key);
    return path.isEmpty() ? attrs.value("DBQ") : path;
}

bool ExcelDatabase::OpenEx(const QString& connect) {
    Release();
    const QString path = PathFor(connect, "CREATE_DB");
    if (path.isEmpty()) {
        throw ExcelError("The connection names no workbook");
    }
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        throw ExcelError(QString("The file %1 already exists").arg(path));
    }
    if (!QFileInfo(info.absolutePath()).isDir()) {
        throw ExcelError(QString("The folder %1 does not exist").arg(info.absolutePath()));
    }
    m_path = path;
    m_bOpen = true;
    return true;
}

bool ExcelDatabase::Open(const QString& connect, bool /*readOnly*/) {
    Release();
    QString path;
    try {
        path = PathFor(connect, "DBQ");
    } catch (const ExcelError&) {
        return false;
    }
    if (path.isEmpty() || !QFileInfo(path).isFile() || !QFileInfo(path).isReadable()) {
        return false;
    }
    m_reader = std::make_unique<XlsReader>(path);
    m_path = path;
    m_bOpen = true;
    return true;
}

SheetData& ExcelDatabase::Table(const QString& name) {
    for (SheetData& t : m_tables) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) {
            return t;
        }
    }
    throw ExcelError(QString("The table '%1' does not exist").arg(name));
}

void ExcelDatabase::ExecuteSQL(const QString& sql) {
    if (!m_bOpen || m_reader) {
        throw ExcelError("The connection is not open for writing");
    }
    const SqlStatement st = ParseSql(sql);
    if (const auto* create = std::get_if<SqlCreateTable>(&st)) {
        CheckSheetName(create->table);
        for (const SheetData& t : m_tables) {
            if (t.name.compare(create->table, Qt::CaseInsensitive) == 0) {
                throw ExcelError(QString("Table '%1' already exists").arg(create->table));
            }
        }
        if (create->columns.size() > kMaxSheetColumns) {
            throw ExcelError("Too many columns");
        }
        m_tables.push_back({create->table, {create->columns}});
    } else if (const auto* insert = std::get_if<SqlInsert>(&st)) {
        SheetData& table = Table(insert->table);
        if (table.rows.size() >= static_cast<size_t>(kMaxSheetRows)) {
            throw ExcelError(QString("The sheet '%1' is full").arg(table.name));
        }
        const QStringList& names = table.rows.front();
        QStringList row(names.size());
        for (qsizetype i = 0; i < insert->columns.size(); ++i) {
            const qsizetype at = IndexOfName(names, insert->columns[i]);
            if (at < 0) {
                throw ExcelError(QString("Unknown column '%1'").arg(insert->columns[i]));
            }
            if (insert->values[i].size() > kMaxCellChars) {
                throw ExcelError(QString("A value for '%1' is too long").arg(names[at]));
            }
            row[at] = insert->values[i];
        }
        table.rows.push_back(row);
    } else {
        throw ExcelError("SELECT runs through a record set");
    }
}

void ExcelDatabase::Close() {
    const bool write = m_bOpen && !m_reader && !m_tables.empty();
    const QString path = m_path;
    std::vector<SheetData> tables = std::move(m_tables);
    Release();
    if (write) {
        WriteNewFile(path, BuildCompoundFile("Workbook", BuildWorkbookStream(tables)));
    }
}

void ExcelDatabase::Release() {
    m_bOpen = false;
    m_path.clear();
    m_tables.clear();
    m_reader.reset();
}
