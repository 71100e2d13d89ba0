// Load File...: a list of samples read from the sheet "vyn8" of a workbook
// (.xls or .xlsx) or from a CSV file.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/SampleSheet.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

static_assert(kSampleListColumns == SampleListModel::kColumns);
static_assert(kMaxSampleListRows == kMaxListRows);

void Cvyn8_rk47View::OnLoadFile() {
    Cvyn8_rk47Doc& doc = *m_pDoc;
    m_session->StartAfreshIfSaved();
    if (doc.m_strExcelDriver.isEmpty()) {
        Prompt("No Excel ODBC Driver found!");
        return;
    }
    FileDialogRequest request;
    request.filter = QtFilterFromBars(
        "Sample lists (*.xls *.xlsx *.csv)|*.xls;*.xlsx;*.csv|Excel 2003(*.xls)|*.xls|"
        "Excel Workbook(*.xlsx)|*.xlsx|CSV (Comma delimited)(*.csv)|*.csv||");
    request.defaultExt = "xls";
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return;
    }

    const int listRows = m_session->Rows().Count();
    const SampleSheet sheet = ReadSampleSheet(path, listRows);
    if (sheet.firstColumnUnnamed &&
        Prompt("Please format this file. If click Yes\n the message in first row will be lost",
               kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
        return;
    }
    switch (sheet.fault) {
        case SampleSheet::Fault::None:
            break;
        case SampleSheet::Fault::Refused:
            Prompt(sheet.message, kAppTitle, PromptIcon::Warning);
            return;
        case SampleSheet::Fault::Unreadable:
            // The reader says which file and why; the sheet is not the problem.
            Prompt(sheet.message + ". Nothing was loaded.", kAppTitle, PromptIcon::Error);
            break;
        case SampleSheet::Fault::NoSheet:
            Prompt("This is not a correct file, Sheet label should be vyn8 in excel file");
            break;
    }
    if (sheet.fault == SampleSheet::Fault::None) {
        m_model->SetPlainColours(Qt::black, m_model->PlainBack());
        m_session->LoadRows(sheet.rows);
        if (!sheet.rows.empty()) {
            ScrollTo(listRows, true);
        }
        if (sheet.replacedCells > 0) {
            Prompt(QStringLiteral("Tabs and line breaks in %1 cell%2 of the sheet were replaced "
                                  "by spaces.")
                       .arg(sheet.replacedCells)
                       .arg(sheet.replacedCells > 1 ? "s" : ""),
                   kAppTitle, PromptIcon::Information);
        }
    }
    m_session->LoadFinished();
}
