#include "data/InventoryFile.h"

#include "data/InventoryMap.h"
#include "data/Tokenizer.h"
#include "platform/Text8.h"

bool LoadInventoryFile(const QString& path, InventoryMap& map) {
    QByteArray text;
    if (!text8::ReadFile(path, &text)) {
        return false;
    }
    bool expectValue = false;
    QString pendingId;
    ForEachToken(
        text, "\t\n",
        [&](const QString& token) {
            if (!expectValue) {
                pendingId = token;
                expectValue = !token.isEmpty();
            } else if (!token.isEmpty()) {
                map.Set(pendingId, token);
                expectValue = false;
            }
        },
        /*takeUnendedLast=*/true);
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
    return text8::WriteFileAtomic(path, out, error);
}
