#include "data/excel/CsvReader.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kMaxCsvBytes = 256LL * 1024 * 1024;
// Records looked at to tell the separator.
constexpr int kSampleRecords = 20;

// The records of a CSV text split at one separator.
class CsvScanner {
public:
    CsvScanner(const QString& text, QChar separator, const QString& file)
        : m_p(text.constData()),
          m_end(text.constData() + text.size()),
          m_sep(separator),
          m_file(file) {}

    // The next record's fields; false at the end. Wholly empty lines are
    // skipped. Throws UnreadableWorkbookError for a quote left open.
    bool Next(QStringList* fields) {
        fields->clear();
        while (m_p < m_end && (*m_p == '\r' || *m_p == '\n')) {
            SkipLineBreak();
        }
        if (m_p == m_end) {
            return false;
        }
        m_recordLine = m_line;
        for (;;) {
            fields->append(Field());
            if (m_p == m_end) {
                return true;
            }
            if (*m_p == m_sep) {
                ++m_p;
                continue;
            }
            SkipLineBreak();
            return true;
        }
    }
    // The line of the file where the last record began.
    int RecordLine() const { return m_recordLine; }

private:
    bool EndsField(QChar c) const { return c == m_sep || c == '\r' || c == '\n'; }

    void SkipLineBreak() {
        if (*m_p == '\r' && m_p + 1 < m_end && m_p[1] == '\n') {
            ++m_p;
        }
        ++m_p;
        ++m_line;
    }

    QString Field() {
        const QChar* start = m_p;
        if (m_p == m_end || *m_p != '"') {
            while (m_p < m_end && !EndsField(*m_p)) {
                ++m_p;
            }
            return QString(start, m_p - start);
        }
        // Quoted: up to the lone closing quote, "" standing for one quote;
        // what follows it up to the separator belongs to the field too.
        QString field;
        ++m_p;
        for (;;) {
            const QChar* chunk = m_p;
            while (m_p < m_end && *m_p != '"') {
                m_line += *m_p == '\n';
                ++m_p;
            }
            if (m_p == m_end) {
                throw UnreadableWorkbookError(
                    QString("Cannot read %1: a quoted field that begins on line %2 is not closed "
                            "(is the file cut short?)")
                        .arg(m_file)
                        .arg(m_recordLine));
            }
            field.append(chunk, m_p - chunk);
            ++m_p;
            if (m_p < m_end && *m_p == '"') {
                field += '"';
                ++m_p;
                continue;
            }
            break;
        }
        const QChar* rest = m_p;
        while (m_p < m_end && !EndsField(*m_p)) {
            ++m_p;
        }
        field.append(rest, m_p - rest);
        return field;
    }

    const QChar* m_p;
    const QChar* m_end;
    QChar m_sep;
    const QString& m_file;
    int m_line = 1;
    int m_recordLine = 1;
};

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

// Whether `field` holds `separator` as a separator would be: a comma
// between two digits is a decimal comma.
bool HoldsSeparator(const QString& field, QChar separator) {
    for (qsizetype i = field.indexOf(separator); i >= 0; i = field.indexOf(separator, i + 1)) {
        const bool decimal = separator == ',' && i > 0 && i + 1 < field.size() &&
                             IsDigit(field[i - 1]) && IsDigit(field[i + 1]);
        if (!decimal) {
            return true;
        }
    }
    return false;
}

QString SeparatorName(QChar c) {
    return c == ',' ? "commas" : c == ';' ? "semicolons" : "TABs";
}

QChar FindSeparator(const QString& text, const QString& file) {
    const QChar candidates[3] = {',', ';', '\t'};
    struct Fit {
        QChar separator;
        qsizetype fields = 0;
        QList<QStringList> records;
    };
    std::vector<Fit> fits;
    for (QChar c : candidates) {
        Fit fit{c, -1, {}};
        try {
            CsvScanner scanner(text, c, file);
            QStringList fields;
            while (fit.records.size() < kSampleRecords && scanner.Next(&fields)) {
                if (fit.fields >= 0 && fields.size() != fit.fields) {
                    fit.fields = 0;
                    break;
                }
                fit.fields = fields.size();
                fit.records << fields;
            }
        } catch (const UnreadableWorkbookError&) {
            fit.fields = 0;  // the whole read says why
        }
        if (fit.fields > 1) {
            fits.push_back(std::move(fit));
        }
    }
    if (fits.empty()) {
        // No separator splits the lines alike: the one the first line uses
        // most, for the read to name the line that differs.
        const QString first = text.left(text.indexOf('\n'));
        QChar best = ',';
        for (QChar c : candidates) {
            best = first.count(c) > first.count(best) ? c : best;
        }
        return best;
    }
    // Fields holding another separator that fits, for each that fits.
    const auto foreign = [&fits](const Fit& fit) {
        int n = 0;
        for (const QStringList& record : fit.records) {
            for (const QString& field : record) {
                for (const Fit& other : fits) {
                    n += other.separator != fit.separator && HoldsSeparator(field, other.separator);
                }
            }
        }
        return n;
    };
    const auto better = [&foreign](const Fit& a, const Fit& b) {
        return a.fields != b.fields ? a.fields > b.fields : foreign(a) < foreign(b);
    };
    std::sort(fits.begin(), fits.end(), better);
    if (fits.size() > 1 && !better(fits[0], fits[1])) {
        throw UnreadableWorkbookError(
            QString("Cannot read %1: its lines split alike at %2 and at %3, so the separator "
                    "cannot be told; save it again with one separator")
                .arg(file, SeparatorName(fits[0].separator), SeparatorName(fits[1].separator)));
    }
    return fits[0].separator;
}

// ^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$
bool LooksNumeric(const QString& v) {
    const QChar* p = v.constData();
    const QChar* end = p + v.size();
    if (p < end && (*p == '+' || *p == '-')) {
        ++p;
    }
    const auto digits = [&p, end] {
        const QChar* from = p;
        while (p < end && IsDigit(*p)) {
            ++p;
        }
        return p - from;
    };
    qsizetype mantissa = digits();
    if (p < end && *p == '.') {
        ++p;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) {
            ++p;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return p == end;
}

bool IsGuarded(QChar c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Where the text after a field's leading apostrophes starts with a character
// a spreadsheet program takes for a formula.
bool NeedsGuard(const QString& field) {
    qsizetype i = 0;
    while (i < field.size() && field[i] == '\'') {
        ++i;
    }
    return i < field.size() && IsGuarded(field[i]);
}

}  // namespace

QString CsvGuarded(const QString& field) {
    return NeedsGuard(field) ? '\'' + field : field;
}

QString CsvUnguarded(const QString& field) {
    return field.startsWith('\'') && NeedsGuard(field) ? field.mid(1) : field;
}

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
    CsvScanner scanner(text, FindSeparator(text, file), file);
    SheetGrid grid;
    QStringList fields;
    unsigned row = 0;
    qsizetype width = -1;
    while (scanner.Next(&fields)) {
        if (width < 0) {
            width = fields.size();
        } else if (fields.size() != width) {
            throw UnreadableWorkbookError(
                QString("Cannot read %1: line %2 has %3 fields, the first line %4")
                    .arg(file)
                    .arg(scanner.RecordLine())
                    .arg(fields.size())
                    .arg(width));
        }
        for (qsizetype c = 0; c < fields.size(); ++c) {
            if (!fields[c].isEmpty()) {
                QString value = CsvUnguarded(fields[c]);
                const bool number = LooksNumeric(value);
                grid.Set(row, static_cast<unsigned>(c), {std::move(value), number}, file);
            }
        }
        ++row;
    }
    return grid;
}

CsvSheetReader::CsvSheetReader(const QString& path) : m_name(QFileInfo(path).completeBaseName()) {
    m_grid = ReadCsvSheet(ReadWholeFile(path, kMaxCsvBytes), path);
}
