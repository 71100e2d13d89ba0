#include "data/excel/XlsxCells.h"

#include <QDate>
#include <QDateTime>

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
