#include "data/SeedParaFile.h"

#include <QStringList>

#include "data/Cvyn8_rk47Doc.h"
#include "platform/NumText.h"
#include "platform/StoredText.h"
#include "platform/Text8.h"

namespace {

constexpr int kFields = 5;

// What is wrong with the fields of one line, or an empty text.
QString SetProblem(const QStringList& fields) {
    if (fields.size() != kFields) {
        return QStringLiteral("it has %1 fields, not %2 (one space between fields)")
            .arg(fields.size())
            .arg(kFields);
    }
    if (fields[0].isEmpty()) {
        return QStringLiteral("the seed name is empty");
    }
    if (FindTextFault(fields[0]) != TextFault::None) {
        return QStringLiteral("the seed name holds a control character");
    }
    const char* const names[kFields] = {"", "the feed speed", "the sensitivity",
                                        "the gate vertical", "the gate horizontal"};
    for (int i = 1; i < kFields; ++i) {
        if (!IsWholeNumber(fields[i])) {
            return QStringLiteral("%1 \"%2\" is not a whole number").arg(names[i], fields[i]);
        }
    }
    return QString();
}

QByteArray WithoutTrailingBlanks(QByteArray line) {
    while (!line.isEmpty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
        line.chop(1);
    }
    return line;
}

}  // namespace

int LoadSeedParaFile(const QString& path, Cvyn8_rk47Doc& doc, QString* problem) {
    doc.m_wrongSeedLines.clear();
    QByteArray text;
    if (!text8::ReadFile(path, &text)) {
        return 0;
    }
    QStringList* lists[kFields] = {&doc.m_seedNames, &doc.m_feedSpeeds, &doc.m_sensitivities,
                                   &doc.m_gateVers, &doc.m_gateHors};
    QStringList wrong;
    int set = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray line = WithoutTrailingBlanks(lines[n]);
        if (line.isEmpty()) {
            continue;
        }
        const QStringList fields = text8::Decode(line).split(' ');
        const QString why = SetProblem(fields);
        if (!why.isEmpty()) {
            wrong << QStringLiteral("line %1: %2").arg(n + 1).arg(why);
            doc.m_wrongSeedLines << line;
            continue;
        }
        doc.EnsureSeedIndex(set);
        for (int f = 0; f < kFields; ++f) {
            (*lists[f])[set] = fields[f];
        }
        ++set;
    }
    if (problem) {
        *problem = wrong.isEmpty()
                       ? QString()
                       : "These lines of " + path +
                             " are not seed sets and were left out; mend them in the file:\n" +
                             wrong.join('\n');
    }
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
    for (const QByteArray& kept : doc.m_wrongSeedLines) {
        out += kept + '\n';
    }
    return text8::WriteFileAtomic(path, out, error);
}
