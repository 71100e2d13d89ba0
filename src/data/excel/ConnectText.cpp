#include "data/excel/ConnectText.h"

namespace {

bool IsKeyChar(QChar c) {
    return c.isLetterOrNumber() || c == '_';
}

// True when `pos` starts "KEY=" (blanks allowed around the key).
bool StartsPair(const QString& t, qsizetype pos) {
    while (pos < t.size() && t[pos] == ' ') {
        ++pos;
    }
    const qsizetype keyStart = pos;
    while (pos < t.size() && IsKeyChar(t[pos])) {
        ++pos;
    }
    if (pos == keyStart) {
        return false;
    }
    while (pos < t.size() && t[pos] == ' ') {
        ++pos;
    }
    return pos < t.size() && t[pos] == '=';
}

// Reads a value delimited by `close`, starting just past the opening mark;
// returns the value and leaves `pos` past the closing mark. A doubled '}'
// inside braces is one '}' of the value.
QString ReadDelimited(const QString& t, qsizetype& pos, QChar close) {
    QString value;
    while (pos < t.size()) {
        const qsizetype end = t.indexOf(close, pos);
        const qsizetype stop = end < 0 ? t.size() : end;
        value += QStringView(t).mid(pos, stop - pos);
        pos = end < 0 ? t.size() : end + 1;
        if (end < 0 || close != '}' || pos >= t.size() || t[pos] != '}') {
            break;
        }
        value += '}';
        ++pos;
    }
    return value;
}

}  // namespace

QHash<QString, QString> ParseConnectText(const QString& t) {
    QHash<QString, QString> attrs;
    qsizetype pos = 0;
    while (pos < t.size()) {
        while (pos < t.size() && (t[pos] == ';' || t[pos] == ' ')) {
            ++pos;
        }
        const qsizetype keyStart = pos;
        while (pos < t.size() && t[pos] != '=' && t[pos] != ';') {
            ++pos;
        }
        if (pos >= t.size() || t[pos] == ';') {
            continue;  // a bare token
        }
        const QString key = t.mid(keyStart, pos - keyStart).trimmed().toUpper();
        ++pos;  // past '='
        QString value;
        if (pos < t.size() && t[pos] == '{') {
            ++pos;
            value = ReadDelimited(t, pos, '}');
        } else if (pos < t.size() && t[pos] == '"') {
            ++pos;
            value = ReadDelimited(t, pos, '"');
        } else {
            const qsizetype start = pos;
            while (pos < t.size() &&
                   !(t[pos] == ';' && (pos + 1 == t.size() || StartsPair(t, pos + 1)))) {
                ++pos;
            }
            value = t.mid(start, pos - start);
        }
        // Anything after a closing brace or quote up to the next pair is noise.
        while (pos < t.size() && !(t[pos] == ';' && StartsPair(t, pos + 1))) {
            ++pos;
        }
        attrs.insert(key, value);
    }
    return attrs;
}

QString ConnectValue(const QString& value, const QString& quote) {
    static const QString kSpecial = QStringLiteral(";\"{}");
    bool plain = value == value.trimmed();
    for (QChar c : value) {
        plain = plain && !kSpecial.contains(c);
    }
    if (plain) {
        return quote + value + quote;
    }
    return '{' + QString(value).replace('}', "}}") + '}';
}

QString ExportConnectText(const QString& driver, const QString& path) {
    return QString("DRIVER={%1};DSN=''FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=%2;DBQ=%3")
        .arg(driver, ConnectValue(path, "\""), ConnectValue(path));
}

QString ImportConnectText(const QString& driver, const QString& path) {
    return QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(driver, ConnectValue(path));
}
