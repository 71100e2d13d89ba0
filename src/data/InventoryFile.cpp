#include "data/InventoryFile.h"

#include <QStringList>

#include "data/InventoryMap.h"
#include "data/Tokenizer.h"
#include "platform/Text8.h"

namespace {

bool HoldsCrOrNul(const QString& field) {
    return field.contains('\r') || field.contains(QChar(0));
}

}  // namespace

bool LoadInventoryFile(const QString& path, InventoryMap& map, QString* problem) {
    QByteArray text;
    if (!text8::ReadFile(path, &text)) {
        return false;
    }
    bool expectValue = false;
    QString pendingId;
    int pendingLine = 0;
    qsizetype at = 0;  // where the token being read begins
    int line = 1;
    QStringList wrong;
    ForEachToken(
        text, "\t\n",
        [&](const QString& token) {
            if (!expectValue) {
                pendingId = token;
                pendingLine = line;
                expectValue = !token.isEmpty();
            } else if (!token.isEmpty()) {
                if (HoldsCrOrNul(pendingId) || HoldsCrOrNul(token)) {
                    wrong << QStringLiteral("line %1").arg(pendingLine);
                    map.KeepWrongLine(text8::Encode(pendingId + '\t' + token));
                } else {
                    map.Set(pendingId, token);
                }
                expectValue = false;
            }
            at += token.size() + 1;
            line += at <= text.size() && text[at - 1] == '\n';
        },
        /*takeUnendedLast=*/true);
    if (problem) {
        *problem = wrong.isEmpty()
                       ? QString()
                       : "These lines of " + path +
                             " hold a CR or NUL character in an ID or inventory and were left "
                             "out; mend them in the file: " +
                             wrong.join(", ");
    }
    return true;
}

bool SaveInventoryFile(const QString& path, const InventoryMap& map, QString* error) {
    QByteArray out;
    out.reserve(map.GetCount() * 24);
    for (const auto& [id, value] : map) {
        if (id.isEmpty()) {
            continue;
        }
        out += text8::EncodeField(id);
        out += '\t';
        out += text8::EncodeField(value);
        out += '\n';
    }
    for (const QByteArray& kept : map.WrongLines()) {
        out += kept + '\n';
    }
    return text8::WriteFileAtomic(path, out, error);
}
