#include "data/excel/XlsReader.h"

#include <freexl.h>

#include <QFile>
#include <charconv>
#include <cmath>

#include "data/excel/ExcelError.h"
#include "data/excel/SqlText.h"

namespace {

QString OpenFailure(int code) {
    switch (code) {
        case FREEXL_FILE_NOT_FOUND:
            return "the file cannot be read";
        case FREEXL_INSUFFICIENT_MEMORY:
            return "not enough memory";
        case FREEXL_INVALID_CFBF_HEADER:
        case FREEXL_CFBF_INVALID_SIGNATURE:
            return "it is not an Excel 97-2003 workbook";
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
            return "it holds no workbook";
        default:
            return QString("the file is damaged or truncated (code %1)").arg(code);
    }
}

}  // namespace

QString NumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return QString::number(static_cast<qint64>(value));
    }
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, result.ptr - buf);
}

XlsReader::XlsReader(const QString& path) : m_path(path) {
    const int rc = freexl_open(QFile::encodeName(path).constData(), &m_handle);
    if (rc != FREEXL_OK) {
        freexl_close(m_handle);
        m_handle = nullptr;
        throw ExcelError(QString("Cannot read %1: %2").arg(path, OpenFailure(rc)));
    }
    unsigned version = 0;
    unsigned password = 0;
    unsigned sheets = 0;
    freexl_get_info(m_handle, FREEXL_BIFF_VERSION, &version);
    freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &password);
    freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    QString problem;
    if (version == 0) {
        problem = "its records are damaged or hold a text too long to read";
    } else if (version != FREEXL_BIFF_VER_8) {
        problem = "only Excel 97-2003 workbooks can be read";
    } else if (password != FREEXL_BIFF_PLAIN) {
        problem = "the workbook is password-protected";
    }
    for (unsigned i = 0; problem.isEmpty() && i < sheets; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(m_handle, static_cast<unsigned short>(i), &name) !=
                FREEXL_OK ||
            !name) {
            problem = "a sheet name cannot be read";
        } else {
            m_sheets << QString::fromUtf8(name);
        }
    }
    if (!problem.isEmpty()) {
        freexl_close(m_handle);
        m_handle = nullptr;
        throw ExcelError(QString("Cannot read %1: %2").arg(path, problem));
    }
}

XlsReader::~XlsReader() {
    if (m_handle) {
        freexl_close(m_handle);
    }
}

void XlsReader::SelectSheet(const QString& name) {
    const qsizetype index = IndexOfName(m_sheets, name);
    if (index < 0) {
        throw ExcelError(QString("The workbook %1 has no sheet '%2'").arg(m_path, name));
    }
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(m_handle, &m_rows, &columns) != FREEXL_OK) {
        throw ExcelError(QString("The sheet '%1' of %2 cannot be read").arg(name, m_path));
    }
    m_columns = columns;
}

QString XlsReader::CellText(unsigned row, unsigned column, bool* isNumber) const {
    FreeXL_CellValue cell;
    if (isNumber) {
        *isNumber = false;
    }
    const int rc = freexl_get_cell_value(m_handle, row, static_cast<unsigned short>(column), &cell);
    if (rc != FREEXL_OK) {
        throw ExcelError(QString("A cell of %1 cannot be read (row %2, column %3)")
                             .arg(m_path, QString::number(row + 1), QString::number(column + 1)));
    }
    switch (cell.type) {
        case FREEXL_CELL_INT:
            if (isNumber) {
                *isNumber = true;
            }
            return QString::number(cell.value.int_value);
        case FREEXL_CELL_DOUBLE:
            if (isNumber) {
                *isNumber = true;
            }
            return NumberText(cell.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
        default:
            return QString();
    }
}
