#include "platform/StoredText.h"

namespace {

bool IsLineBreak(char16_t c) {
    return c == '\t' || c == '\r' || c == '\n';
}

bool IsStorable(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
}

}  // namespace

TextFault FindTextFault(const QString& text) {
    TextFault fault = TextFault::None;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (IsLineBreak(c)) {
            fault = TextFault::LineBreak;
        } else if (!IsStorable(c)) {
            return TextFault::NotLatin1;
        }
    }
    return fault;
}

QString StoredTextProblem(const QString& what, const QString& text) {
    switch (FindTextFault(text)) {
        case TextFault::LineBreak:
            return QStringLiteral("%1 cannot hold a Tab or a line break: enter it on one line.")
                .arg(what);
        case TextFault::NotLatin1:
            return QStringLiteral(
                       "%1 \"%2\" cannot be stored: use letters of Western European languages "
                       "only.")
                .arg(what, text);
        case TextFault::None:
            break;
    }
    return QString();
}

QString WithoutLineBreaks(QString text) {
    for (QChar& c : text) {
        if (IsLineBreak(c.unicode())) {
            c = ' ';
        }
    }
    return text;
}
