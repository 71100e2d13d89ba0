// The scanner of a workbook's XML parts: it must read a sound part as Qt's
// own XML reader does, and call a damaged one damaged.

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <QXmlStreamReader>

#include "data/excel/XmlScanner.h"

namespace {

// Elements as <name a=value>...</name>; an element "t" as [its text].
QString Trace(XmlScanner& x) {
    QString out;
    while (x.Next() != XmlScanner::Token::End && !x.HasError()) {
        const QString name = QString::fromUtf8(x.Name().data(), x.Name().size());
        if (x.IsStart("t")) {
            const QString text = x.ElementText();
            out += x.HasError() ? QString() : '[' + text + ']';
        } else if (x.IsStart()) {
            const QString a = x.Attribute("a");
            out += '<' + name + (a.isEmpty() ? "" : " a=" + a) + '>';
        } else {
            out += "</" + name + '>';
        }
    }
    return x.HasError() ? out + " damaged" : out;
}

QString QtTrace(QXmlStreamReader& x) {
    QString out;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"t") {
            out += '[' + x.readElementText(QXmlStreamReader::IncludeChildElements) + ']';
        } else if (x.isStartElement()) {
            QString a;  // by local name, as the workbook reader looked them up
            const QXmlStreamAttributes attrs = x.attributes();
            for (const QXmlStreamAttribute& attr : attrs) {
                a = attr.name() == u"a" ? attr.value().toString() : a;
            }
            out += '<' + x.name().toString() + (a.isEmpty() ? "" : " a=" + a) + '>';
        } else if (x.isEndElement()) {
            out += "</" + x.name().toString() + '>';
        }
    }
    return x.hasError() ? out + " damaged" : out;
}

QByteArray Utf16WithMark(const QString& text) {
    QStringEncoder encode(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encode(text);
}

struct ScanCase {
    const char* what;
    QByteArray xml;
    QString trace;
};

class XmlScannerReads : public ::testing::TestWithParam<ScanCase> {};

TEST_P(XmlScannerReads, AsQtsReaderDoesOrCallsItDamaged) {
    XmlScanner scanner(GetParam().xml);
    EXPECT_EQ(Trace(scanner), GetParam().trace);
    if (!GetParam().trace.endsWith("damaged")) {
        QXmlStreamReader qt(GetParam().xml);
        EXPECT_EQ(QtTrace(qt), GetParam().trace);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, XmlScannerReads,
    ::testing::Values(
        ScanCase{"prefixed names, namespace declarations no attributes",
                 R"(<x:a xmlns:x="urn:x" xmlns="urn:y" x:a="1"><x:t>hi</x:t><b/></x:a>)",
                 "<a a=1>[hi]<b></b></a>"},
        ScanCase{"references, CDATA, comments, line ends",
                 "<?xml version=\"1.0\"?>\r\n<a><t>&lt;&amp;&#65;&#x42;&quot;&apos;&gt;"
                 "<![CDATA[<&amp;>]]><!-- c --><?pi x?>x\r\ny\rz</t></a>",
                 "<a>[<&AB\"'><&amp;>x\ny\nz]</a>"},
        ScanCase{"attribute values normalised", "<a a='1&#10;\t2\r\n3 &amp; &#x20AC;'/>",
                 QString::fromUtf8("<a a=1\n 2 3 & €></a>")},
        ScanCase{"child elements' text included", "<a><t>1<b>2<c/></b>3</t></a>", "<a>[123]</a>"},
        ScanCase{"UTF-8 mark, multibyte text",
                 "\xEF\xBB\xBF<a><t>Bl\xC3\xA9 \xF0\x9F\x8C\xBE</t></a>",
                 QString::fromUtf8("<a>[Blé 🌾]</a>")},
        ScanCase{"UTF-16 with a mark", Utf16WithMark(QString::fromUtf8("<a><t>été</t></a>")),
                 QString::fromUtf8("<a>[été]</a>")},
        ScanCase{"an 8-bit encoding declared",
                 "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a><t>\xE9t\xE9</t></a>",
                 QString::fromUtf8("<a>[été]</a>")},
        ScanCase{"cut inside an element", "<a><b><t>x", "<a><b> damaged"},
        ScanCase{"cut inside a tag", "<a><b a=\"1", "<a> damaged"},
        ScanCase{"an end tag of another element", "<a><b></a>", "<a><b> damaged"},
        ScanCase{"a stray end tag", "</a>", " damaged"},
        ScanCase{"a reference to nothing", "<a><t>&e;</t></a>", "<a> damaged"},
        ScanCase{"a reference to no character", "<a><t>&#0;</t></a>", "<a> damaged"},
        ScanCase{"a document type", "<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", " damaged"},
        ScanCase{"an unclosed comment", "<a><!-- x</a>", "<a> damaged"},
        ScanCase{"an unquoted value", "<a a=1/>", " damaged"},
        ScanCase{"no element at all", "  ", " damaged"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
