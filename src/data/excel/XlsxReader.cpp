#include "data/excel/XlsxReader.h"

#include <QHash>

#include "data/excel/SqlText.h"
#include "data/excel/XlsxCells.h"
#include "data/excel/XmlScanner.h"
#include "data/excel/ZipArchive.h"

namespace {

constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxSheetPartBytes = 256LL * 1024 * 1024;
constexpr qint64 kMaxSmallPartBytes = 16LL * 1024 * 1024;

struct Relationship {
    QString id;
    QString type;
    QString target;
};

// The part a relationship of `source` points to, as a name in the archive.
QString ResolveTarget(const QString& source, const QString& target) {
    if (target.startsWith('/')) {
        return target.mid(1);
    }
    QStringList parts = source.split('/');
    parts.removeLast();
    for (const QString& step : target.split('/')) {
        if (step == "..") {
            if (!parts.isEmpty()) {
                parts.removeLast();
            }
        } else if (step != "." && !step.isEmpty()) {
            parts << step;
        }
    }
    return parts.join('/');
}

QString RelsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf('/');
    return part.left(slash + 1) + "_rels/" + part.mid(slash + 1) + ".rels";
}

// The text of the element the reader stands on: every <t> joined, phonetic
// runs left out.
QString RichText(XmlScanner& x) {
    QString text;
    int depth = 1;
    while (depth > 0 && !x.AtEnd()) {
        x.Next();
        if (x.IsStart("t")) {
            text += x.ElementText();
        } else if (x.IsStart("rPh")) {
            x.SkipElement();
        } else if (x.IsStart()) {
            ++depth;
        } else if (x.IsEnd()) {
            --depth;
        }
    }
    return DecodeXmlEscapes(text);
}

// "BC12" -> column 54, row 11 (from 0); false when it is no cell reference.
bool ParseReference(QStringView ref, unsigned* row, unsigned* column) {
    qsizetype i = 0;
    quint64 col = 0;
    while (i < ref.size() && ref[i].isLetter() && i < 4) {
        col = col * 26 + static_cast<quint64>(ref[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    bool ok = false;
    const quint64 r = ref.mid(i).toULongLong(&ok);
    if (i == 0 || !ok || r == 0 || col > kMaxGridColumns || r > kMaxGridRows) {
        return false;
    }
    *row = static_cast<unsigned>(r - 1);
    *column = static_cast<unsigned>(col - 1);
    return true;
}

}  // namespace

XlsxWorkbook::XlsxWorkbook(QByteArray bytes, const QString& file)
    : m_zip(std::make_unique<ZipArchive>(std::move(bytes), file)), m_file(file) {
    QString workbook = "xl/workbook.xml";
    std::vector<Relationship> rels;
    // The relationships of `source` (the package itself when empty).
    const auto readRels = [this, &rels](const QString& source) {
        rels.clear();
        const QString part = source.isEmpty() ? QString("_rels/.rels") : RelsPartOf(source);
        if (!m_zip->Contains(part)) {
            return;
        }
        XmlScanner x(Part(part, kMaxSmallPartBytes));
        while (!x.AtEnd()) {
            x.Next();
            if (x.IsStart("Relationship")) {
                rels.push_back({x.Attribute("Id"), x.Attribute("Type"),
                                ResolveTarget(source, x.Attribute("Target"))});
            }
        }
        if (x.HasError()) {
            Fail(QString("the part %1 is damaged (%2)").arg(part, x.ErrorString()));
        }
    };
    readRels(QString());
    for (const Relationship& r : rels) {
        if (r.type.endsWith("/officeDocument")) {
            workbook = r.target;
        }
    }
    if (!m_zip->Contains(workbook)) {
        Fail("it holds no workbook");
    }
    readRels(workbook);
    XmlScanner x(Part(workbook, kMaxSmallPartBytes));
    while (!x.AtEnd()) {
        x.Next();
        if (x.IsStart("workbookPr")) {
            const QString v = x.Attribute("date1904");
            m_date1904 = v == "1" || v == "true";
        } else if (x.IsStart("sheet")) {
            const QString id = x.Attribute("id");
            QString target;
            for (const Relationship& r : rels) {
                target = r.id == id ? r.target : target;
            }
            m_names << x.Attribute("name");
            m_sheetParts << target;
        }
    }
    if (x.HasError()) {
        Fail(QString("the part %1 is damaged (%2)").arg(workbook, x.ErrorString()));
    }
    for (const Relationship& r : rels) {
        if (r.type.endsWith("/sharedStrings")) {
            m_stringsPart = r.target;
        } else if (r.type.endsWith("/styles")) {
            m_stylesPart = r.target;
        }
    }
}

XlsxWorkbook::~XlsxWorkbook() = default;

void XlsxWorkbook::Fail(const QString& why) const {
    throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(m_file, why));
}

QByteArray XlsxWorkbook::Part(const QString& name, qint64 maxBytes) {
    return m_zip->Read(name, maxBytes);
}

void XlsxWorkbook::ReadSharedParts() {
    m_sharedRead = true;
    if (!m_stringsPart.isEmpty()) {
        XmlScanner x(Part(m_stringsPart, kMaxSheetPartBytes));
        while (!x.AtEnd()) {
            x.Next();
            if (x.IsStart("si")) {
                m_strings << RichText(x);
            }
        }
        if (x.HasError()) {
            Fail(QString("the shared strings are damaged (%1)").arg(x.ErrorString()));
        }
    }
    if (!m_stylesPart.isEmpty()) {
        XmlScanner x(Part(m_stylesPart, kMaxSmallPartBytes));
        QHash<int, QString> codes;
        bool inCellXfs = false;
        while (!x.AtEnd()) {
            x.Next();
            if (x.IsStart("numFmt")) {
                codes.insert(x.Attribute("numFmtId").toInt(), x.Attribute("formatCode"));
            } else if (x.Name() == "cellXfs") {
                inCellXfs = x.IsStart();
            } else if (inCellXfs && x.IsStart("xf")) {
                const int id = x.Attribute("numFmtId").toInt();
                const QString code = codes.value(id);
                m_styleKinds.push_back(code.isEmpty() ? BuiltinDateKind(static_cast<unsigned>(id))
                                                      : DateKindOf(code));
            }
        }
        if (x.HasError()) {
            Fail(QString("the styles are damaged (%1)").arg(x.ErrorString()));
        }
    }
}

SheetGrid XlsxWorkbook::ReadSheet(qsizetype index) {
    if (!m_sharedRead) {
        ReadSharedParts();
    }
    const QString part = m_sheetParts.value(index);
    if (part.isEmpty() || !m_zip->Contains(part)) {
        Fail(QString("the sheet '%1' is missing from the file").arg(m_names.value(index)));
    }
    SheetGrid grid;
    XmlScanner x(Part(part, kMaxSheetPartBytes));
    unsigned row = 0;
    unsigned column = 0;
    unsigned nextRow = 0;
    char16_t buffer[32];
    QString spill;
    while (!x.AtEnd()) {
        x.Next();
        if (x.IsStart("row")) {
            const uint r = x.ShortAttribute("r", buffer, &spill).toUInt();
            row = r > 0 ? r - 1 : nextRow;
            nextRow = row + 1;
            column = 0;
        } else if (x.IsStart("c")) {
            ParseCell(x, &row, &column, grid);
            ++column;
        }
    }
    if (x.HasError()) {
        Fail(QString("the sheet '%1' is damaged (%2)").arg(m_names.value(index), x.ErrorString()));
    }
    return grid;
}

void XlsxWorkbook::ParseCell(XmlScanner& x, unsigned* row, unsigned* column, SheetGrid& grid) {
    char16_t refBuffer[32];
    char16_t typeBuffer[32];
    char16_t styleBuffer[32];
    QString spill[3];
    const QStringView ref = x.ShortAttribute("r", refBuffer, &spill[0]);
    if (!ref.isEmpty() && !ParseReference(ref, row, column)) {
        Fail(QString("a cell has the bad reference '%1'").arg(ref));
    }
    const QStringView type = x.ShortAttribute("t", typeBuffer, &spill[1]);
    const int style = x.ShortAttribute("s", styleBuffer, &spill[2]).toInt();
    QString value;
    bool inlineText = false;
    bool formula = false;
    while (!x.AtEnd()) {
        x.Next();
        if (x.IsEnd("c")) {
            break;
        }
        if (x.IsStart("f")) {
            formula = true;
            x.SkipElement();
        } else if (x.IsStart("v")) {
            value = x.ElementText();
        } else if (x.IsStart("is")) {
            value = RichText(x);
            inlineText = true;
        } else if (x.IsStart()) {
            x.SkipElement();
        }
    }
    // A formula's result is stored in <v>; a text result has the type
    // "str", so an empty <v> can be an empty text only then.
    if (formula && value.isEmpty() && type != u"str") {
        grid.SetWithoutValue({*row, *column});
        return;
    }
    SheetCell cell;
    if (type == u"s") {
        bool ok = false;
        const qsizetype i = value.toLongLong(&ok);
        if (!ok || i < 0 || i >= m_strings.size()) {
            Fail(QString("the cell %1 names a shared string that is missing").arg(ref));
        }
        cell.text = m_strings[i];
    } else if (type == u"inlineStr" || inlineText) {
        cell.text = value;
    } else if (type == u"str" || type == u"e") {
        cell.text = DecodeXmlEscapes(value);
    } else if (type == u"b") {
        cell.text = value.isEmpty() ? QString() : value == "0" ? "0" : "1";
    } else if (type == u"d") {
        cell.text = IsoDateText(value);
    } else {
        bool ok = false;
        const double number = value.toDouble(&ok);
        const DateKind kind = style >= 0 && static_cast<size_t>(style) < m_styleKinds.size()
                                  ? m_styleKinds[static_cast<size_t>(style)]
                                  : DateKind::None;
        if (ok && kind != DateKind::None) {
            cell.text = DateText(number, kind, m_date1904);
        }
        if (!ok) {
            cell.text = value;
        } else if (cell.text.isEmpty()) {
            cell.text = NumberText(number);
            cell.number = true;
        }
    }
    if (!cell.text.isEmpty()) {
        grid.Set(*row, *column, std::move(cell), m_file);
    }
}

qsizetype XlsxWorkbook::SheetIndex(const QString& name) const {
    const qsizetype index = IndexOfName(m_names, name);
    if (index < 0) {
        throw ExcelError(QString("The workbook %1 has no sheet '%2'").arg(m_file, name));
    }
    return index;
}

SheetGrid ReadXlsxSheet(const QByteArray& bytes, const QString& sheet, const QString& file) {
    XlsxWorkbook book(bytes, file);
    return book.ReadSheet(book.SheetIndex(sheet));
}

XlsxSheetReader::XlsxSheetReader(const QString& path)
    : m_book(ReadWholeFile(path, kMaxFileBytes), path) {}

void XlsxSheetReader::SelectSheet(const QString& name) {
    m_grid = m_book.ReadSheet(m_book.SheetIndex(name));
}
