#include "data/SeedWeightFile.h"

#include <QFile>

#include "data/SpreadsheetFiles.h"
#include "platform/Text8.h"

const QStringList& SeedWeightColumns() {
    static const QStringList names = {"Time",      "Operator", "Station",   "Id_barcode",
                                      "Seed",      "Method",   "Chaffy",    "Replicates",
                                      "Weights_g", "Seeds",    "Discarded", "Mean_g",
                                      "S_g",       "CV",       "TSW_g",     "Balance_serial"};
    return names;
}

QStringList SeedWeightFields(const SeedWeightRecord& r) {
    return {r.time.toString(Qt::ISODate),
            r.operatorName,
            r.station,
            r.id,
            r.seed,
            r.method,
            r.chaffy ? "yes" : "no",
            QString::number(r.replicates),
            r.weights.join(';'),
            r.seeds.join(';'),
            r.discarded.join(';'),
            r.mean,
            r.s,
            r.cv,
            r.result,
            r.balanceSerial};
}

bool AppendSeedWeight(const QString& path, const SeedWeightRecord& r, QString* error) {
    QByteArray text;
    if (QFile::exists(path) && !text8::ReadFile(path, &text)) {
        if (error) {
            *error = QString("%1 cannot be read, so nothing was added to it.").arg(path);
        }
        return false;
    }
    if (!text.isEmpty() && !text.endsWith('\n')) {
        text += '\n';
    }
    QByteArrayList fields;
    for (const QString& f : SeedWeightFields(r)) {
        fields << text8::EncodeField(f);
    }
    text += fields.join('\t') + '\n';
    return text8::WriteFileAtomic(path, text, error);
}

bool ReadSeedWeights(const QString& path, std::vector<QStringList>* rows, QString* error) {
    rows->clear();
    if (!QFile::exists(path)) {
        return true;
    }
    QByteArray text;
    if (!text8::ReadFile(path, &text)) {
        if (error) {
            *error = QString("%1 cannot be read.").arg(path);
        }
        return false;
    }
    for (const QByteArray& line : text.split('\n')) {
        if (!line.isEmpty()) {
            rows->push_back(text8::Decode(line).split('\t'));
        }
    }
    return true;
}

bool WriteSeedWeightsCsv(const QString& path, const std::vector<QStringList>& rows,
                         QString* error) {
    const QByteArray csv = FormatCsvTable(SeedWeightColumns(), static_cast<qsizetype>(rows.size()),
                                          [&](qsizetype i) { return rows[i]; });
    return text8::WriteBytesAtomic(path, csv, error);
}

bool WriteSeedWeightsXlsx(const QString& path, const std::vector<QStringList>& rows,
                          QString* error) {
    return WriteXlsxTable(
        path, "Seed weights", SeedWeightColumns(), static_cast<qsizetype>(rows.size()),
        [&](qsizetype i) { return rows[i]; }, error);
}
