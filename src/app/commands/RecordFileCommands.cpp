#include "app/commands/RecordFileCommands.h"

#include <QFileInfo>

#include "app/commands/RecordViewCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/RecordFile.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

namespace commands {

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

void ReportNotSaved(const QString& path, const RecordSaveResult& result) {
    using Problem = RecordSaveResult::Problem;
    switch (result.problem) {
        case Problem::None:
            break;
        case Problem::NoExcelDriver:
            Prompt("No Excel ODBC Driver found!");
            break;
        case Problem::NotWritten:
            Prompt(QStringLiteral("The records were not saved to %1: %2").arg(path, result.reason),
                   kAppTitle, PromptIcon::Error);
            break;
        case Problem::SheetLimit:
            Prompt(result.reason, kAppTitle, PromptIcon::Error);
            break;
        case Problem::WorkbookRefused:
            Prompt("Please use other file name !");
            break;
    }
}

}  // namespace

QString OnSaveRecords(Cvyn8_rk47Doc& doc) {
    doc.m_nSaveState = RECORDS_UNSAVED;
    if (doc.RecordCount() == 0) {
        return QString();
    }
    FileDialogRequest request = RecordFileRequest(true, kSaveFilter);
    request.accept = AcceptSaveName;
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return QString();
    }
    const RecordSaveResult result = doc.SaveRecordsAs(path);
    ReportNotSaved(path, result);
    return result.Saved() ? path : QString();
}

void OnOpenSampleRecord(Cvyn8_rk47Doc& doc, QWidget* parent) {
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
    if (doc.HoldsUnsavedWork() &&
        Prompt("The records of this run have not been saved. Discard them and open the file?",
               kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
        return;
    }
    doc.TakeOpenedRecords(read);
    if (incompleteEnd) {
        Prompt(QStringLiteral("The last line of %1 was incomplete and was not loaded.").arg(path),
               kAppTitle, PromptIcon::Warning);
    }
    OnReviewSampleOpened(doc, parent);
}

}  // namespace commands
