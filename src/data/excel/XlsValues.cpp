#include "data/excel/XlsValues.h"

#include <QDate>
#include <charconv>
#include <cmath>

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr double kLastDay = 2958465;  // 9999-12-31 in the 1900 system

}  // namespace

DateKind BuiltinDateKind(unsigned builtin) {
    if (builtin >= 14 && builtin <= 17) {
        return DateKind::Date;
    }
    if ((builtin >= 18 && builtin <= 21) || (builtin >= 45 && builtin <= 47)) {
        return DateKind::Time;
    }
    return builtin == 22 ? DateKind::DateTime : DateKind::None;
}

DateKind DateKindOf(const QString& code) {
    // The letters that show a part of a date or time, outside quoted text,
    // escaped characters and [colour] or [$-locale] brackets. An elapsed
    // [h], [mm] or [ss] counts as its letter.
    bool y = false, m = false, d = false, h = false, s = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == '"') {
            const qsizetype end = code.indexOf('"', i + 1);
            i = end < 0 ? code.size() : end;
            continue;
        }
        if (c == '\\' || c == '_' || c == '*') {
            ++i;  // the next character is shown as it is
            continue;
        }
        if (c == '[') {
            const qsizetype end = code.indexOf(']', i + 1);
            const QString inside = code.mid(i + 1, (end < 0 ? code.size() : end) - i - 1).toLower();
            if (!inside.isEmpty() && inside.count(inside[0]) == inside.size() &&
                QStringLiteral("hms").contains(inside[0])) {
                h = h || inside[0] == 'h';
                m = m || inside[0] == 'm';
                s = s || inside[0] == 's';
            }
            i = end < 0 ? code.size() : end;
            continue;
        }
        y = y || c == 'y';
        m = m || c == 'm';
        d = d || c == 'd';
        h = h || c == 'h';
        s = s || c == 's';
    }
    // A lone letter ("d", "mm", "yyyy") is no date; 'm' is the month beside
    // a year or day and the minute beside an hour or second.
    if ((y || d) && (h || s)) {
        return DateKind::DateTime;
    }
    if (int(y) + int(m) + int(d) >= 2) {
        return DateKind::Date;
    }
    if (int(h) + int(m) + int(s) >= 2) {
        return DateKind::Time;
    }
    return DateKind::None;
}

QString DateText(double serial, DateKind kind, bool from1904) {
    if (!(serial >= 0) || serial >= kLastDay + 1 - (from1904 ? 1462 : 0)) {
        return QString();
    }
    const auto seconds = static_cast<qint64>(std::llround(serial * kSecondsPerDay));
    const qint64 day = seconds / kSecondsPerDay;
    const qint64 second = seconds % kSecondsPerDay;
    QString date;
    if (from1904) {
        date = QDate(1904, 1, 1).addDays(day).toString(Qt::ISODate);
    } else if (day == 60) {
        date = "1900-02-29";  // the day that the 1900 system counts although it never was
    } else {
        // Day 0 shows as the first day; from day 61 on, the false leap day
        // above is counted.
        date = QDate(1899, 12, day > 60 ? 30 : 31)
                   .addDays(std::max<qint64>(day, 1))
                   .toString(Qt::ISODate);
    }
    const QString time = QString("%1:%2:%3")
                             .arg(second / 3600, 2, 10, QChar('0'))
                             .arg(second / 60 % 60, 2, 10, QChar('0'))
                             .arg(second % 60, 2, 10, QChar('0'));
    switch (kind) {
        case DateKind::Date:
            return date;
        case DateKind::Time:
            return time;
        default:
            return date + ' ' + time;
    }
}

QString ErrorText(unsigned code) {
    switch (code) {
        case 0x00:
            return "#NULL!";
        case 0x07:
            return "#DIV/0!";
        case 0x0F:
            return "#VALUE!";
        case 0x17:
            return "#REF!";
        case 0x1D:
            return "#NAME?";
        case 0x24:
            return "#NUM!";
        case 0x2B:
            return "#GETTING_DATA";
        default:
            return "#N/A";
    }
}

QString NumberText(double value) {
    // Every whole number up to 2^53 is exact in a double, and so are its digits.
    constexpr double kLastExactWhole = 9007199254740992.0;
    const bool whole = std::isfinite(value) && value == std::trunc(value);
    if (whole && std::fabs(value) <= kLastExactWhole) {
        return QString::number(static_cast<qint64>(value));
    }
    // A larger whole number stands for many integers: its exponent form says
    // so. Any other number has a shortest exact form in digits.
    char buf[400];
    const auto result =
        whole ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific)
              : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return QString::number(value, 'g', 17);
    }
    return QString::fromLatin1(buf, result.ptr - buf);
}
