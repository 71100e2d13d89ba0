#include "data/SeedParaFile.h"

#include "data/Cvyn8_rk47Doc.h"
#include "data/Tokenizer.h"
#include "platform/Text8.h"

int LoadSeedParaFile(const QString& path, Cvyn8_rk47Doc& doc) {
    QByteArray text;
    if (!text8::ReadFile(path, &text)) {
        return 0;
    }
    QStringList* fields[5] = {&doc.m_seedNames, &doc.m_feedSpeeds, &doc.m_sensitivities,
                              &doc.m_gateVers, &doc.m_gateHors};
    int set = 0;
    int field = 0;
    ForEachToken(text, " \n", [&](const QString& token) {
        doc.EnsureSeedIndex(set);
        (*fields[field])[set] = token;
        if (++field == 5) {
            field = 0;
            ++set;
        }
    });
    return set;
}

bool SaveSeedParaFile(const QString& path, const Cvyn8_rk47Doc& doc, int count, QString* error) {
    QByteArray out;
    for (int k = 0; k < count; ++k) {
        const QString line = doc.m_seedNames.value(k) + ' ' + doc.m_feedSpeeds.value(k) + ' ' +
                             doc.m_sensitivities.value(k) + ' ' + doc.m_gateVers.value(k) + ' ' +
                             doc.m_gateHors.value(k) + '\n';
        out += text8::Encode(line);
    }
    return text8::WriteFileAtomic(path, out, error);
}
