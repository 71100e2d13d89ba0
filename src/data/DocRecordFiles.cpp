// The document's record files: the records saved under a chosen name, and the
// records of an opened file taking the place of the run's.

#include <QFileInfo>

#include "data/Cvyn8_rk47Doc.h"
#include "data/RecordFile.h"
#include "data/SpreadsheetFiles.h"

RecordSaveResult Cvyn8_rk47Doc::SaveRecordsAs(const QString& path) {
    m_nSaveState = RECORDS_UNSAVED;
    if (m_strExcelDriver.isEmpty()) {
        return {RecordSaveResult::Problem::NoExcelDriver, {}};
    }
    // The extension is compared as typed: "TXT" is not a text file name.
    const QString ext = QFileInfo(path).suffix();
    RecordSaveResult result;
    QString error;
    if (ext == m_strExt[0]) {
        if (!WriteRecordFile(path, m_records, RecordFieldOrder::Record, &error)) {
            result = {RecordSaveResult::Problem::NotWritten, error};
        }
    } else if (ext == m_strExt[1]) {
        result = ExportToExcel(path, m_strExcelDriver);
    } else if (ext == "xlsx" || ext == m_strExt[2]) {
        const bool written = ext == "xlsx" ? WriteXlsxRecords(path, m_records, &error)
                                           : WriteCsvRecords(path, m_records, &error);
        if (!written) {
            result = {RecordSaveResult::Problem::NotWritten, error};
        }
    } else {
        result = {RecordSaveResult::Problem::NotWritten,
                  QStringLiteral("the file name must end in .%1, .%2, .xlsx or .%3.")
                      .arg(m_strExt[0], m_strExt[1], m_strExt[2])};
    }
    if (result.Saved()) {
        m_nSaveState = RECORDS_SAVED;
    }
    return result;
}

void Cvyn8_rk47Doc::TakeOpenedRecords(const std::vector<std::array<QString, 8>>& read) {
    DiscardRecords();
    for (const auto& fields : read) {
        AddRecord(fields[0])->SetFromRecordOrder(fields);
    }
    m_nOpenState = RECORDS_OPENED;
}
