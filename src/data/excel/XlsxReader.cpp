#include "data/excel/XlsxReader.h"

#include <QHash>
#include <QXmlStreamReader>

#include "data/excel/SqlText.h"
#include "data/excel/XlsxCells.h"
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

QString Attribute(const QXmlStreamReader& x, QStringView localName) {
    for (const QXmlStreamAttribute& a : x.attributes()) {
        if (a.name() == localName) {
            return a.value().toString();
        }
    }
    return QString();
}

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
QString RichText(QXmlStreamReader& x) {
    QString text;
    int depth = 1;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"t") {
            text += x.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (x.isStartElement() && x.name() == u"rPh") {
            x.skipCurrentElement();
        } else if (x.isStartElement()) {
            ++depth;
        } else if (x.isEndElement()) {
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
        QXmlStreamReader x(Part(part, kMaxSmallPartBytes));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"Relationship") {
                rels.push_back({Attribute(x, u"Id"), Attribute(x, u"Type"),
                                ResolveTarget(source, Attribute(x, u"Target"))});
            }
        }
        if (x.hasError()) {
            Fail(QString("the part %1 is damaged (%2)").arg(part, x.errorString()));
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
    QXmlStreamReader x(Part(workbook, kMaxSmallPartBytes));
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"workbookPr") {
            const QString v = Attribute(x, u"date1904");
            m_date1904 = v == "1" || v == "true";
        } else if (x.isStartElement() && x.name() == u"sheet") {
            const QString id = Attribute(x, u"id");
            QString target;
            for (const Relationship& r : rels) {
                target = r.id == id ? r.target : target;
            }
            m_names << Attribute(x, u"name");
            m_sheetParts << target;
        }
    }
    if (x.hasError()) {
        Fail(QString("the part %1 is damaged (%2)").arg(workbook, x.errorString()));
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
        QXmlStreamReader x(Part(m_stringsPart, kMaxSheetPartBytes));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"si") {
                m_strings << RichText(x);
            }
        }
        if (x.hasError()) {
            Fail(QString("the shared strings are damaged (%1)").arg(x.errorString()));
        }
    }
    if (!m_stylesPart.isEmpty()) {
        QXmlStreamReader x(Part(m_stylesPart, kMaxSmallPartBytes));
        QHash<int, QString> codes;
        bool inCellXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            const QStringView name = x.name();
            if (x.isStartElement() && name == u"numFmt") {
                codes.insert(Attribute(x, u"numFmtId").toInt(), Attribute(x, u"formatCode"));
            } else if (name == u"cellXfs") {
                inCellXfs = x.isStartElement();
            } else if (inCellXfs && x.isStartElement() && name == u"xf") {
                const int id = Attribute(x, u"numFmtId").toInt();
                const QString code = codes.value(id);
                m_styleKinds.push_back(code.isEmpty() ? BuiltinDateKind(static_cast<unsigned>(id))
                                                      : DateKindOf(code));
            }
        }
        if (x.hasError()) {
            Fail(QString("the styles are damaged (%1)").arg(x.errorString()));
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
    QXmlStreamReader x(Part(part, kMaxSheetPartBytes));
    unsigned row = 0;
    unsigned column = 0;
    unsigned nextRow = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"row") {
            const uint r = Attribute(x, u"r").toUInt();
            row = r > 0 ? r - 1 : nextRow;
            nextRow = row + 1;
            column = 0;
        } else if (x.isStartElement() && x.name() == u"c") {
            ParseCell(x, &row, &column, grid);
            ++column;
        }
    }
    if (x.hasError()) {
        Fail(QString("the sheet '%1' is damaged (%2)").arg(m_names.value(index), x.errorString()));
    }
    return grid;
}

void XlsxWorkbook::ParseCell(QXmlStreamReader& x, unsigned* row, unsigned* column,
                             SheetGrid& grid) {
    const QString ref = Attribute(x, u"r");
    if (!ref.isEmpty() && !ParseReference(ref, row, column)) {
        Fail(QString("a cell has the bad reference '%1'").arg(ref));
    }
    const QString type = Attribute(x, u"t");
    const int style = Attribute(x, u"s").toInt();
    QString value;
    bool inlineText = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && x.name() == u"c") {
            break;
        }
        if (x.isStartElement() && x.name() == u"v") {
            value = x.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (x.isStartElement() && x.name() == u"is") {
            value = RichText(x);
            inlineText = true;
        } else if (x.isStartElement()) {
            x.skipCurrentElement();
        }
    }
    SheetCell cell;
    if (type == "s") {
        bool ok = false;
        const qsizetype i = value.toLongLong(&ok);
        if (!ok || i < 0 || i >= m_strings.size()) {
            Fail(QString("the cell %1 names a shared string that is missing").arg(ref));
        }
        cell.text = m_strings[i];
    } else if (type == "inlineStr" || inlineText) {
        cell.text = value;
    } else if (type == "str" || type == "e") {
        cell.text = DecodeXmlEscapes(value);
    } else if (type == "b") {
        cell.text = value.isEmpty() ? QString() : value == "0" ? "0" : "1";
    } else if (type == "d") {
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
