#include "data/RecordFile.h"

#include <QFile>

#include "data/Tokenizer.h"
#include "platform/Text8.h"

QByteArray FormatRecords(const std::vector<std::unique_ptr<cParam>>& records,
                         RecordFieldOrder order) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(records.size()) * 64);
    for (const auto& rec : records) {
        const auto fields =
            order == RecordFieldOrder::Record ? rec->RecordOrder() : rec->ShutdownOrder();
        for (size_t i = 0; i < fields.size(); ++i) {
            out += text8::EncodeField(fields[i]);
            out += i + 1 < fields.size() ? '\t' : '\n';
        }
    }
    return out;
}

std::vector<std::array<QString, 8>> ParseRecords(const QByteArray& textMode, bool* incompleteEnd) {
    std::vector<std::array<QString, 8>> out;
    std::array<QString, 8> fields;
    size_t f = 0;
    const qsizetype unended = ForEachToken(textMode, "\t\n", [&](const QString& token) {
        fields[f] = token;
        if (++f == fields.size()) {
            out.push_back(fields);
            f = 0;
        }
    });
    if (incompleteEnd) {
        *incompleteEnd = unended > 0 || f > 0;
    }
    return out;
}

bool ReadRecordFile(const QString& path, std::vector<std::array<QString, 8>>* records,
                    QString* error, bool* incompleteEnd) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = f.errorString();
        }
        return false;
    }
    *records = ParseRecords(text8::FromDisk(f.readAll()), incompleteEnd);
    return true;
}

bool WriteRecordFile(const QString& path, const std::vector<std::unique_ptr<cParam>>& records,
                     RecordFieldOrder order, QString* error) {
    return text8::WriteFileAtomic(path, FormatRecords(records, order), error);
}
