#include "data/excel/CsvReader.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr qint64 kMaxCsvBytes = 256LL * 1024 * 1024;

QChar FindSeparator(const QString& text) {
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {',', ';', '\t'};
    bool quoted = false;
    for (QChar c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted) {
            for (int i = 0; i < 3; ++i) {
                counts[i] += c == candidates[i];
            }
        }
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best]) {
            best = i;
        }
    }
    return candidates[best];
}

bool LooksNumeric(const QString& v) {
    static const QRegularExpression number(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)");
    return !v.isEmpty() && (v[0].isDigit() || v[0] == '-' || v[0] == '+' || v[0] == '.') &&
           number.match(v).hasMatch();
}

}  // namespace

QString DecodeCsvText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    return utf8.hasError() ? QString::fromLatin1(view) : text;
}

SheetGrid ReadCsvSheet(const QByteArray& bytes, const QString& file) {
    if (bytes.contains('\0')) {
        const QString looks = bytes.startsWith("PK\x03\x04") ? " (it looks like an .xlsx workbook)"
                              : bytes.startsWith("\xD0\xCF\x11\xE0")
                                  ? " (it looks like an .xls workbook)"
                                  : "";
        throw UnreadableWorkbookError(
            QString("Cannot read %1: it is not comma-separated text%2").arg(file, looks));
    }
    const QString text = DecodeCsvText(bytes);
    const QChar sep = FindSeparator(text);
    SheetGrid grid;
    QStringList fields;
    QString field;
    unsigned row = 0;
    qsizetype width = -1;
    int line = 1;     // line of the file being read
    int rowLine = 1;  // line where the current row began
    bool quoted = false;
    bool rowHasText = false;
    const auto endRow = [&] {
        fields << field;
        field.clear();
        if (fields.size() == 1 && fields[0].isEmpty() && !rowHasText) {
            fields.clear();  // an empty line
            return;
        }
        if (width < 0) {
            width = fields.size();
        } else if (fields.size() != width) {
            throw UnreadableWorkbookError(
                QString("Cannot read %1: line %2 has %3 fields, the first line %4")
                    .arg(file)
                    .arg(rowLine)
                    .arg(fields.size())
                    .arg(width));
        }
        for (qsizetype c = 0; c < fields.size(); ++c) {
            if (!fields[c].isEmpty()) {
                const bool number = LooksNumeric(fields[c]);
                grid.Set(row, static_cast<unsigned>(c), {fields[c], number}, file);
            }
        }
        ++row;
        fields.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < n && text[i + 1] == '"') {
                field += c;
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                field += c;
            }
        } else if (c == '"' && field.isEmpty()) {
            quoted = true;
            rowHasText = true;
        } else if (c == sep) {
            fields << field;
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
                ++i;
            }
            endRow();
            rowHasText = false;
            rowLine = ++line;
        } else {
            field += c;
        }
    }
    if (quoted) {
        throw UnreadableWorkbookError(
            QString("Cannot read %1: a quoted field that begins on line %2 is not closed (is the "
                    "file cut short?)")
                .arg(file)
                .arg(rowLine));
    }
    if (!field.isEmpty() || !fields.isEmpty() || rowHasText) {
        endRow();
    }
    return grid;
}

CsvSheetReader::CsvSheetReader(const QString& path) : m_name(QFileInfo(path).completeBaseName()) {
    m_grid = ReadCsvSheet(ReadWholeFile(path, kMaxCsvBytes), path);
}
