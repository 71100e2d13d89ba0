#include "link/BalanceReply.h"

#include <QList>

namespace balance {

namespace {

constexpr qsizetype kLongestLine = 200;

// A value and its unit as grams into `r`; Malformed or WrongUnit when they
// are not a weight.
Reply WeightReply(Reply::Kind kind, const QList<QByteArray>& parts) {
    Reply r;
    if (parts.size() != 4) {
        r.text = QStringLiteral("a weight without its value and unit");
        return r;
    }
    bool ok = false;
    const double value = parts[2].toDouble(&ok);
    if (!ok) {
        r.text =
            QStringLiteral("the value \"%1\" is not a number").arg(QString::fromLatin1(parts[2]));
        return r;
    }
    if (!ToGrams(value, parts[3], &r.grams)) {
        r.kind = Reply::WrongUnit;
        r.text = QString::fromLatin1(parts[3]);
        return r;
    }
    r.kind = kind;
    return r;
}

}  // namespace

QByteArray Command(const char* name) {
    return QByteArray(name) + "\r\n";
}

bool ToGrams(double value, const QByteArray& unit, double* grams) {
    if (unit == "g") {
        *grams = value;
    } else if (unit == "mg") {
        *grams = value / 1000.0;
    } else if (unit == "kg") {
        *grams = value * 1000.0;
    } else {
        return false;
    }
    return true;
}

Reply ParseReply(const QByteArray& line) {
    const QList<QByteArray> parts = line.simplified().split(' ');
    const QByteArray cmd = parts.value(0);
    const QByteArray status = parts.value(1);
    Reply r;
    if (parts.size() == 1 && (cmd == "ES" || cmd == "ET" || cmd == "EL")) {
        r.kind = cmd == "ES"   ? Reply::SyntaxError
                 : cmd == "ET" ? Reply::TransmissionError
                               : Reply::LogicError;
        return r;
    }
    const bool weighing = cmd == "S" || cmd == "SI" || cmd == "Z" || cmd == "T";
    if (weighing && parts.size() == 2) {
        if (status == "I") {
            r.kind = Reply::Busy;
        } else if (status == "+") {
            r.kind = Reply::Overload;
        } else if (status == "-") {
            r.kind = Reply::Underload;
        } else if (cmd == "Z" && status == "A") {
            r.kind = Reply::Zeroed;
        }
        if (r.kind != Reply::Malformed) {
            return r;
        }
    }
    if ((cmd == "S" || cmd == "SI") && (status == "S" || status == "D")) {
        return WeightReply(status == "S" ? Reply::Stable : Reply::Dynamic, parts);
    }
    if (cmd == "T" && status == "S") {
        return WeightReply(Reply::Tared, parts);
    }
    if (cmd == "I4" && status == "A" && parts.size() >= 3) {
        const QByteArray rest = line.mid(line.indexOf('"'));
        if (rest.size() >= 2 && rest.startsWith('"') && rest.trimmed().endsWith('"')) {
            r.kind = Reply::Serial;
            const QByteArray quoted = rest.trimmed();
            r.text = QString::fromLatin1(quoted.mid(1, quoted.size() - 2));
            return r;
        }
    }
    r.text = QStringLiteral("\"%1\" is not an answer the console knows")
                 .arg(QString::fromLatin1(line.simplified()));
    return r;
}

std::vector<QByteArray> LineAssembler::Feed(const char* data, size_t n) {
    std::vector<QByteArray> lines;
    for (size_t i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == '\n') {
            if (m_line.endsWith('\r')) {
                m_line.chop(1);
            }
            if (!m_bOverlong && !m_line.trimmed().isEmpty()) {
                lines.push_back(m_line);
            }
            m_line.clear();
            m_bOverlong = false;
            continue;
        }
        if (m_line.size() >= kLongestLine) {
            m_bOverlong = true;
            m_line.clear();
        }
        m_line += c;
    }
    return lines;
}

}  // namespace balance
