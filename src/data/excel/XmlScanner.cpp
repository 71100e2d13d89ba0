#include "data/excel/XmlScanner.h"

#include <QStringDecoder>
#include <cstring>

namespace {

enum class TextKind { Text, CData, Attribute };

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Where a name ends in a tag.
bool IsNameEnd(char c) {
    return IsSpace(c) || c == '/' || c == '>' || c == '=' || c == '<' || c == '"' || c == '\'';
}

QByteArrayView LocalName(QByteArrayView qualified) {
    const qsizetype colon = qualified.indexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

void AppendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character a reference (the text between & and ;) stands for, or
// U+FFFFFFFF when it stands for none.
char32_t Resolve(QByteArrayView ref) {
    constexpr char32_t kNone = 0xFFFFFFFF;
    if (ref == "lt") {
        return '<';
    }
    if (ref == "gt") {
        return '>';
    }
    if (ref == "amp") {
        return '&';
    }
    if (ref == "quot") {
        return '"';
    }
    if (ref == "apos") {
        return '\'';
    }
    if (ref.size() < 2 || ref[0] != '#') {
        return kNone;
    }
    const bool hex = ref[1] == 'x';
    const QByteArrayView digits = ref.sliced(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8) {
        return kNone;
    }
    char32_t cp = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        }
        if (d < 0) {
            return kNone;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
    }
    const bool valid = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
                       (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
    return valid ? cp : kNone;
}

// `raw` as text appended to `out`. False when it holds a reference to no
// character, which is kept as it stands.
bool AppendText(QString& out, QByteArrayView raw, TextKind kind) {
    bool plain = true;
    for (char c : raw) {
        if (c == '\r' || (c == '&' && kind != TextKind::CData) ||
            (kind == TextKind::Attribute && (c == '\t' || c == '\n'))) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out += QString::fromUtf8(raw.data(), raw.size());
        return true;
    }
    bool sound = true;
    QByteArray bytes;
    bytes.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r') {
            i += i + 1 < raw.size() && raw[i + 1] == '\n';
            bytes += kind == TextKind::Attribute ? ' ' : '\n';
        } else if (kind == TextKind::Attribute && (c == '\t' || c == '\n')) {
            bytes += ' ';
        } else if (c == '&' && kind != TextKind::CData) {
            const qsizetype semi = raw.indexOf(';', i);
            const char32_t cp = semi < 0 ? 0xFFFFFFFF : Resolve(raw.sliced(i + 1, semi - i - 1));
            if (cp == 0xFFFFFFFF) {
                sound = false;
                bytes += c;
            } else {
                AppendUtf8(bytes, cp);
                i = semi;
            }
        } else {
            bytes += c;
        }
    }
    out += QString::fromUtf8(bytes);
    return sound;
}

}  // namespace

XmlScanner::XmlScanner(QByteArray xml) {
    Decode(xml);
    m_p = m_xml.constData();
    m_end = m_p + m_xml.size();
    if (QByteArrayView(m_xml).startsWith("\xEF\xBB\xBF")) {
        m_p += 3;
    }
}

void XmlScanner::Decode(const QByteArray& xml) {
    const QByteArrayView v(xml);
    QStringDecoder decoder;
    if (v.startsWith("\xFF\xFE") || v.startsWith(QByteArrayView("<\0", 2))) {
        decoder = QStringDecoder(QStringDecoder::Utf16LE);
    } else if (v.startsWith("\xFE\xFF") || v.startsWith(QByteArrayView("\0<", 2))) {
        decoder = QStringDecoder(QStringDecoder::Utf16BE);
    } else if (v.startsWith("<?xml")) {
        const qsizetype close = v.indexOf("?>");
        const QByteArrayView decl = v.first(close < 0 ? 0 : close);
        const qsizetype at = decl.indexOf("encoding");
        qsizetype open = -1;
        for (qsizetype i = at < 0 ? decl.size() : at; i < decl.size(); ++i) {
            if (decl[i] == '"' || decl[i] == '\'') {
                open = i;
                break;
            }
        }
        const qsizetype shut = open < 0 ? -1 : decl.indexOf(decl[open], open + 1);
        if (shut > open + 1) {
            const QByteArray name = decl.sliced(open + 1, shut - open - 1).toByteArray().toLower();
            if (name != "utf-8" && name != "utf8") {
                decoder = QStringDecoder(name.constData());
                if (!decoder.isValid()) {
                    m_xml.clear();
                    m_token = Fail(QString("its encoding %1 is unknown").arg(QString(name)));
                    return;
                }
            }
        }
    }
    m_xml = decoder.isValid() ? QString(decoder.decode(v)).toUtf8() : xml;
}

XmlScanner::Token XmlScanner::Fail(const QString& why) {
    if (m_token != Token::Error) {
        m_error = why;
        m_token = Token::Error;
    }
    m_pendingEnd = false;
    m_attrs.clear();
    m_local = QByteArrayView();
    return m_token;
}

XmlScanner::Token XmlScanner::Next() {
    Step step;
    while ((step = Advance()) == Step::Text) {
    }
    return m_token;
}

XmlScanner::Step XmlScanner::Advance() {
    if (m_token == Token::Error || m_token == Token::End) {
        return Step::Done;
    }
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_attrs.clear();
        m_open.pop_back();
        m_token = Token::EndElement;
        return Step::Tag;
    }
    if (m_rootSeen && m_open.empty()) {
        m_token = Token::End;
        m_local = QByteArrayView();
        m_attrs.clear();
        return Step::Done;
    }
    for (;;) {
        const char* lt = static_cast<const char*>(std::memchr(m_p, '<', m_end - m_p));
        if (!lt) {
            Fail(m_rootSeen ? "it ends before its elements are closed" : "it holds no element");
            return Step::Done;
        }
        if (lt > m_p && !m_open.empty()) {
            m_text = QByteArrayView(m_p, lt - m_p);
            m_cdata = false;
            m_p = lt;
            return Step::Text;
        }
        const char* p = lt + 1;
        const QByteArrayView rest(p, m_end - p);
        if (rest.isEmpty()) {
            Fail("it ends inside a tag");
            return Step::Done;
        }
        if (*p == '/') {
            return ParseEndTag(p + 1) ? Step::Tag : Step::Done;
        }
        if (*p == '?' || rest.startsWith("!--")) {
            const bool pi = *p == '?';
            const qsizetype close = rest.indexOf(pi ? "?>" : "-->", pi ? 1 : 3);
            if (close < 0) {
                Fail(pi ? "it ends inside a processing instruction" : "it ends inside a comment");
                return Step::Done;
            }
            m_p = p + close + (pi ? 2 : 3);
            continue;
        }
        if (rest.startsWith("![CDATA[")) {
            const qsizetype close = rest.indexOf("]]>", 8);
            if (close < 0 || m_open.empty()) {
                Fail(close < 0 ? "it ends inside a CDATA section"
                               : "a CDATA section lies outside the elements");
                return Step::Done;
            }
            m_text = rest.sliced(8, close - 8);
            m_cdata = true;
            m_p = p + close + 3;
            return Step::Text;
        }
        if (*p == '!') {
            Fail(rest.startsWith("!DOCTYPE") ? "it declares a document type"
                                             : "it holds a malformed declaration");
            return Step::Done;
        }
        return ParseStartTag(p) ? Step::Tag : Step::Done;
    }
}

bool XmlScanner::ParseStartTag(const char* p) {
    const char* q = p;
    while (q < m_end && !IsNameEnd(*q)) {
        ++q;
    }
    if (q == p) {
        Fail("a tag has no name");
        return false;
    }
    const QByteArrayView name(p, q - p);
    m_attrs.clear();
    bool empty = false;
    for (;;) {
        while (q < m_end && IsSpace(*q)) {
            ++q;
        }
        if (q >= m_end) {
            Fail("it ends inside a tag");
            return false;
        }
        if (*q == '>') {
            ++q;
            break;
        }
        if (*q == '/' && q + 1 < m_end && q[1] == '>') {
            q += 2;
            empty = true;
            break;
        }
        const char* n = q;
        while (q < m_end && !IsNameEnd(*q)) {
            ++q;
        }
        const QByteArrayView attr(n, q - n);
        while (q < m_end && IsSpace(*q)) {
            ++q;
        }
        if (attr.isEmpty() || q >= m_end || *q != '=') {
            Fail(q >= m_end ? "it ends inside a tag" : "a tag is malformed");
            return false;
        }
        ++q;
        while (q < m_end && IsSpace(*q)) {
            ++q;
        }
        if (q >= m_end || (*q != '"' && *q != '\'')) {
            Fail(q >= m_end ? "it ends inside a tag" : "an attribute value is not quoted");
            return false;
        }
        const char* v = q + 1;
        const char* close = static_cast<const char*>(std::memchr(v, *q, m_end - v));
        if (!close) {
            Fail("it ends inside a tag");
            return false;
        }
        q = close + 1;
        const QByteArrayView value(v, close - v);
        if (attr == "xmlns" || attr.startsWith("xmlns:")) {
            continue;  // a namespace declaration
        }
        bool plain = true;
        for (char c : value) {
            if (c == '&' || c == '\t' || c == '\n' || c == '\r') {
                plain = false;
                break;
            }
        }
        m_attrs.push_back({LocalName(attr), value, plain});
    }
    m_p = q;
    m_local = LocalName(name);
    m_open.push_back(name);
    m_rootSeen = true;
    m_pendingEnd = empty;
    m_token = Token::StartElement;
    return true;
}

bool XmlScanner::ParseEndTag(const char* p) {
    const char* close = static_cast<const char*>(std::memchr(p, '>', m_end - p));
    if (!close) {
        Fail("it ends inside a tag");
        return false;
    }
    QByteArrayView name(p, close - p);
    while (!name.isEmpty() && IsSpace(name.back())) {
        name.chop(1);
    }
    if (m_open.empty() || m_open.back() != name) {
        Fail(QString("the end tag </%1> closes no open element")
                 .arg(QString::fromUtf8(name.data(), name.size())));
        return false;
    }
    m_open.pop_back();
    m_attrs.clear();
    m_local = LocalName(name);
    m_p = close + 1;
    m_token = Token::EndElement;
    return true;
}

const XmlScanner::Attr* XmlScanner::Find(QByteArrayView localName) const {
    for (const Attr& a : m_attrs) {
        if (a.name == localName) {
            return &a;
        }
    }
    return nullptr;
}

QString XmlScanner::Attribute(QByteArrayView localName) const {
    QString out;
    if (const Attr* a = Find(localName)) {
        AppendText(out, a->value, TextKind::Attribute);
    }
    return out;
}

QStringView XmlScanner::ShortAttribute(QByteArrayView localName, char16_t* buffer,
                                       QString* spill) const {
    const Attr* a = Find(localName);
    if (!a) {
        return QStringView();
    }
    bool ascii = a->plain && a->value.size() <= 32;
    for (qsizetype i = 0; ascii && i < a->value.size(); ++i) {
        const auto c = static_cast<unsigned char>(a->value[i]);
        ascii = c < 0x80;
        buffer[i] = c;
    }
    if (ascii) {
        return QStringView(buffer, a->value.size());
    }
    *spill = Attribute(localName);
    return *spill;
}

QString XmlScanner::ElementText() {
    QString out;
    if (m_token != Token::StartElement) {
        return out;
    }
    const size_t depth = m_open.size();
    for (;;) {
        const Step step = Advance();
        if (step == Step::Done) {
            return out;
        }
        if (step == Step::Text &&
            !AppendText(out, m_text, m_cdata ? TextKind::CData : TextKind::Text)) {
            Fail("it holds a reference to no character");
            return out;
        }
        if (step == Step::Tag && m_token == Token::EndElement && m_open.size() < depth) {
            return out;
        }
    }
}

void XmlScanner::SkipElement() {
    if (m_token != Token::StartElement) {
        return;
    }
    const size_t depth = m_open.size();
    for (;;) {
        const Step step = Advance();
        if (step == Step::Done ||
            (step == Step::Tag && m_token == Token::EndElement && m_open.size() < depth)) {
            return;
        }
    }
}
