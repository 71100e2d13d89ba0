// Save and Open Sample Record: the document's record files.

#include <QFileInfo>

#include "data/Cvyn8_rk47Doc.h"
#include "data/RecordFile.h"
#include "data/SpreadsheetFiles.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

namespace {

FileDialogRequest RecordFileRequest(bool save, const char* barFilter) {
    FileDialogRequest r;
    r.save = save;
    r.filter = QtFilterFromBars(barFilter);
    r.defaultExt = "txt";
    r.initialName = "Vyn8_Data";
    return r;
}

const char* const kSaveFilter =
    "Text file (*.txt)|*.txt|Excel 2003(*.xls)|*.xls|Excel Workbook(*.xlsx)|*.xlsx|"
    "CSV (Comma delimited)(*.csv)|*.csv||";

// An existing Excel 2003 workbook is never written over (the export refuses
// it), so the save dialog says so at once and stays open for another name.
bool AcceptSaveName(const QString& path) {
    const QFileInfo info(path);
    if (info.suffix() != "xls" || !(info.exists() || info.isSymLink())) {
        return true;
    }
    Prompt(QStringLiteral("%1 already exists, and an Excel 2003 workbook is never written over. "
                          "Please use other file name !")
               .arg(info.fileName()));
    return false;
}

void ReportNotSaved(const QString& path, const QString& reason) {
    Prompt(QStringLiteral("The records were not saved to %1: %2").arg(path, reason), kAppTitle,
           PromptIcon::Error);
}

}  // namespace

void Cvyn8_rk47Doc::OnSaveRecords() {
    m_nSaveState = RECORDS_UNSAVED;
    if (RecordCount() == 0) {
        return;
    }
    FileDialogRequest request = RecordFileRequest(true, kSaveFilter);
    request.accept = AcceptSaveName;
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return;
    }
    if (m_strExcelDriver.isEmpty()) {
        Prompt("No Excel ODBC Driver found!");
        return;
    }
    // The extension is compared as typed: "TXT" is not a text file name.
    const QString ext = QFileInfo(path).suffix();
    if (ext == m_strExt[0]) {
        QString error;
        if (!WriteRecordFile(path, m_records, RecordFieldOrder::Record, &error)) {
            ReportNotSaved(path, error);
            return;
        }
    } else if (ext == m_strExt[1]) {
        if (!ExportToExcel(path, m_strExcelDriver)) {
            return;
        }
    } else if (ext == "xlsx" || ext == m_strExt[2]) {
        QString error;
        const bool written = ext == "xlsx" ? WriteXlsxRecords(path, m_records, &error)
                                           : WriteCsvRecords(path, m_records, &error);
        if (!written) {
            ReportNotSaved(path, error);
            return;
        }
    } else {
        ReportNotSaved(path, QStringLiteral("the file name must end in .%1, .%2, .xlsx or .%3.")
                                 .arg(m_strExt[0], m_strExt[1], m_strExt[2]));
        return;
    }
    m_nSaveState = RECORDS_SAVED;
    if (OnRecordsSaved) {
        OnRecordsSaved(path);
    }
}

void Cvyn8_rk47Doc::OnOpenSampleRecord() {
    const QString path = ChooseFile(RecordFileRequest(false, "Text File(*.txt)|*.txt||"));
    if (path.isEmpty()) {
        return;
    }
    std::vector<std::array<QString, 8>> read;
    QString error;
    bool incompleteEnd = false;
    if (!ReadRecordFile(path, &read, &error, &incompleteEnd)) {
        Prompt(QStringLiteral("Could not open %1 (%2). No records were read.").arg(path, error),
               kAppTitle, PromptIcon::Error);
        return;
    }
    if (HoldsUnsavedWork() &&
        Prompt("The records of this run have not been saved. Discard them and open the file?",
               kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
        return;
    }
    DiscardRecords();
    for (const auto& fields : read) {
        AddRecord(fields[0])->SetFromRecordOrder(fields);
    }
    m_nOpenState = RECORDS_OPENED;
    if (incompleteEnd) {
        Prompt(QStringLiteral("The last line of %1 was incomplete and was not loaded.").arg(path),
               kAppTitle, PromptIcon::Warning);
    }
    OnReviewSampleOpened();
}
