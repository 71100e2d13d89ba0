#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

// A fast forward reader of the XML parts of a workbook, for sheets of a
// hundred thousand rows: it walks the bytes in place and makes a QString
// only of the texts asked for. Elements and attributes are known by their
// local names (any prefix dropped; namespace declarations are no
// attributes). It checks what a damaged or truncated part breaks: every
// element closed by its own end tag before the part ends, sound tags,
// comments, CDATA sections and references. A document type is refused, so
// no entity can be declared. Text and attribute values come with line ends
// as "\n", references resolved, and in attribute values TAB and line breaks
// as spaces. Parts in UTF-16 or an 8-bit encoding their declaration names
// are read as well; bytes that are no UTF-8 become U+FFFD.
class XmlScanner {
public:
    enum class Token { StartElement, EndElement, End, Error };

    explicit XmlScanner(QByteArray xml);

    // The next start or end tag (an empty element gives both); End after
    // the root element closes, Error (for good) when the part is damaged.
    Token Next();
    bool AtEnd() const { return m_token == Token::End || m_token == Token::Error; }
    bool HasError() const { return m_token == Token::Error; }
    const QString& ErrorString() const { return m_error; }

    bool IsStart(QByteArrayView localName) const {
        return m_token == Token::StartElement && m_local == localName;
    }
    bool IsEnd(QByteArrayView localName) const {
        return m_token == Token::EndElement && m_local == localName;
    }
    bool IsStart() const { return m_token == Token::StartElement; }
    bool IsEnd() const { return m_token == Token::EndElement; }
    QByteArrayView Name() const { return m_local; }

    // The value of the current start tag's attribute, empty when it has none.
    QString Attribute(QByteArrayView localName) const;
    // The same as ASCII in `buffer` (at least 32 characters), without
    // making a string: for short values such as cell references. A value
    // that does not fit or needs decoding comes back in `spill`.
    QStringView ShortAttribute(QByteArrayView localName, char16_t* buffer, QString* spill) const;

    // The text inside the current start element, that of its children
    // included; stands on its end tag after.
    QString ElementText();
    // Stands on the end tag of the current start element.
    void SkipElement();

private:
    struct Attr {
        QByteArrayView name;
        QByteArrayView value;
        bool plain;  // holds no reference, TAB or line break
    };
    enum class Step { Tag, Text, Done };

    void Decode(const QByteArray& xml);
    Step Advance();
    bool ParseStartTag(const char* p);
    bool ParseEndTag(const char* p);
    const Attr* Find(QByteArrayView localName) const;
    Token Fail(const QString& why);

    QByteArray m_xml;
    const char* m_p = nullptr;
    const char* m_end = nullptr;
    Token m_token = Token::StartElement;
    QByteArrayView m_local;
    std::vector<QByteArrayView> m_open;  // qualified names of the open elements
    std::vector<Attr> m_attrs;
    bool m_pendingEnd = false;  // an empty element's end is still to come
    bool m_rootSeen = false;
    // The text an Advance() that gave Step::Text stands on.
    QByteArrayView m_text;
    bool m_cdata = false;
    QString m_error;
};
