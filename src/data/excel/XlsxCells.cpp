#include "data/excel/XlsxCells.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

DateKind DateKindOfFormat(int id, const QString& code) {
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) ||
        (id >= 50 && id <= 58)) {
        return DateKind::Date;
    }
    if (id == 22) {
        return DateKind::DateTime;
    }
    if ((id >= 18 && id <= 21) || id == 32 || id == 33 || (id >= 45 && id <= 47)) {
        return DateKind::Time;
    }
    if (id < 164 || code.isEmpty()) {
        return DateKind::None;
    }
    // Look only at what the format draws: not quoted text, escaped or
    // repeated characters, colours and conditions in brackets (but elapsed
    // times such as [h] are times), and only at its first section.
    bool date = false;
    bool time = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == '"') {
            i = code.indexOf('"', i + 1);
            if (i < 0) {
                break;
            }
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const qsizetype end = code.indexOf(']', i);
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            time = time || (!inner.isEmpty() && QString("hms").contains(inner[0]) &&
                            inner.count(inner[0]) == inner.size());
            if (end < 0) {
                break;
            }
            i = end;
        } else if (c == ';') {
            break;
        } else if (c == 'd' || c == 'y') {
            date = true;
        } else if (c == 'm') {
            // "m" is a month beside days and years, minutes beside hours.
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        }
    }
    if (time && !code.contains('d', Qt::CaseInsensitive) &&
        !code.contains('y', Qt::CaseInsensitive)) {
        return DateKind::Time;
    }
    return date && time ? DateKind::DateTime : date ? DateKind::Date : DateKind::None;
}

QString SerialDateText(double serial, DateKind kind, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465.0) {
        return QString();
    }
    auto days = static_cast<qint64>(std::floor(serial));
    auto seconds = static_cast<qint64>(std::llround((serial - std::floor(serial)) * 86400.0));
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    QString date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days).toString("yyyy-MM-dd");
    } else if (days == 60) {
        date = "1900-02-29";  // the day the 1900 date system counts but never was
    } else {
        date = QDate(1899, 12, days < 60 ? 31 : 30).addDays(days).toString("yyyy-MM-dd");
    }
    const QString time = QString("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, QChar('0'))
                             .arg(seconds / 60 % 60, 2, 10, QChar('0'))
                             .arg(seconds % 60, 2, 10, QChar('0'));
    switch (kind) {
        case DateKind::Time:
            return time;
        case DateKind::DateTime:
            return date + ' ' + time;
        default:
            return date;
    }
}

QString IsoDateText(const QString& iso) {
    const QDateTime stamp = QDateTime::fromString(iso.left(19), Qt::ISODate);
    if (stamp.isValid()) {
        return stamp.time() == QTime(0, 0) ? stamp.date().toString("yyyy-MM-dd")
                                           : stamp.toString("yyyy-MM-dd HH:mm:ss");
    }
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    return date.isValid() ? date.toString("yyyy-MM-dd") : iso;
}

QString DecodeXmlEscapes(const QString& text) {
    if (!text.contains("_x")) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = false;
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            const uint code = QStringView(text).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(static_cast<char16_t>(code));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}
