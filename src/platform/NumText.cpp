#include "platform/NumText.h"

#include <climits>

#include "platform/Prompter.h"

int WToI(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

void WarnIfNotNumeric(const QString& text) {
    for (QChar c : text) {
        if (c < '0' || c > '9') {
            Prompt("Entry digit number !");
            break;
        }
    }
    if (WToI(text) > 65535) {
        Prompt("Invalid Value !");
    }
}

bool IsWholeNumber(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}
