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
    StartAfreshIfSaved();
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

    const int wasManualList = m_bManualList;
    const SampleSheet sheet = ReadSampleSheet(path, m_nRowCount);
    if (sheet.firstColumnUnnamed &&
        Prompt("Please format this file. If click Yes\n the message in first row will be lost",
               kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
        m_bManualList = 1;
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
        m_bManualList = 0;
        m_model->SetPlainColours(Qt::black, m_model->PlainBack());
        if (wasManualList) {
            // The sample being entered joins the list, as the loaded rows do.
            m_nLoadedFirstRow = m_nRowCount - m_nSampleRowCount;
        }
        const int firstLoaded = m_nRowCount;
        for (const SampleCells& cells : sheet.rows) {
            const int row = AppendListRow();
            for (int c = 1; c < SampleListModel::kColumns; ++c) {
                m_model->SetCell(row, c, cells[static_cast<size_t>(c)]);
            }
            ++m_nSampleRowCount;
            ++m_nRowCount;
        }
        m_editID->setFocus();
        m_nDrawMode = 0;
        FillRowStates();
        if (!sheet.rows.empty()) {
            // The list lays out its new rows first: before that, its scroll
            // range ends at the old last row and the scroll falls short.
            m_listSamples->doItemsLayout();
            m_listSamples->scrollTo(m_model->index(firstLoaded, 0),
                                    QAbstractItemView::PositionAtTop);
        }
        if (sheet.replacedCells > 0) {
            Prompt(QStringLiteral("Tabs and line breaks in %1 cell%2 of the sheet were replaced "
                                  "by spaces.")
                       .arg(sheet.replacedCells)
                       .arg(sheet.replacedCells > 1 ? "s" : ""),
                   kAppTitle, PromptIcon::Information);
        }
    }
    m_radioBatch->setEnabled(false);
    m_radioTotalize->setEnabled(false);
    m_chkSameAsPrevious->hide();
}
