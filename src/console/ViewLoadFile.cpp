// Load File...: a list of samples read from the sheet "vyn8" of a workbook.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <array>
#include <vector>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

namespace {

using ListRow = std::array<QString, SampleListModel::kColumns>;

bool StartsWithDigit(const QString& v) {
    return !v.isEmpty() && v[0] >= '0' && v[0] <= '9';
}

// A loaded row's cells from the fields of one record. The ID goes to column
// 1; a second field starting with a digit has no seed name, so "None" stands
// in and the fields after it move one column right. Cutting keeps the part
// of a number before its first period (a pack number 3.5 reads 3); a text
// such as the ID "A.B.C" stays whole.
ListRow CellsFromFields(const QStringList& fields, const QList<bool>& numbers, bool cutting) {
    ListRow cells;
    const auto cut = [&](qsizetype k) {
        const QString& v = fields[k];
        return cutting && numbers[k] && v.contains('.') ? v.left(v.indexOf('.')) : v;
    };
    const auto put = [&cells](qsizetype column, const QString& v) {
        if (column < SampleListModel::kColumns) {
            cells[static_cast<size_t>(column)] = v;
        }
    };
    int shift = 0;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        const QString& v = fields[k];
        if (k == 0) {
            put(1, cut(k));
        } else if (k == 1 && StartsWithDigit(v)) {
            put(2, "None");
            put(3, cut(k));
            shift = 1;
        } else if (k == 1) {
            put(2, v);
        } else if (k == 2) {
            put(3 + shift, cut(k));
        } else if (k == 3) {
            put(4 + shift, StartsWithDigit(v) ? cut(k) : v);
        } else {
            put(k + 1 + shift, v);
        }
    }
    return cells;
}

}  // namespace

void Cvyn8_rk47View::OnLoadFile() {
    Cvyn8_rk47Doc& doc = *m_pDoc;
    StartAfreshIfSaved();
    if (doc.m_strExcelDriver.isEmpty()) {
        Prompt("No Excel ODBC Driver found!");
        return;
    }
    FileDialogRequest request;
    request.filter = QtFilterFromBars("Excel 2003(*.xls)|*.xls||");
    request.defaultExt = "xls";
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return;
    }

    const int wasManualList = m_bManualList;
    ExcelDatabase db;
    try {
        if (!db.Open(ImportConnectText(doc.m_strExcelDriver, path), true)) {
            Prompt("Database Connection error");
            return;
        }
        ExcelRecordset rs(&db);
        if (!rs.Open("SELECT *  FROM [vyn8$]")) {
            Prompt("OPen File error");
            db.Close();
            return;
        }
        const int n = rs.GetFieldCount();
        m_bManualList = 0;
        const QString firstName = rs.GetFieldName(0);
        m_model->SetPlainColours(Qt::black, m_model->PlainBack());

        // The whole sheet is read before the list changes, so a sheet that
        // fails half-way or would overfill the list adds nothing.
        std::vector<ListRow> rows;
        bool cutting = true;
        if (firstName == "F1") {
            if (Prompt("Please format this file. If click Yes\n the message in first row will be "
                       "lost",
                       kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
                m_bManualList = 1;
                rs.Close();
                db.Close();
                return;
            }
        } else if (firstName != "ID") {
            // No header row: the names are the sheet's first row, loaded
            // as the cells' own values (a number, not the F<n> it is named).
            ListRow names;
            for (int i = 0; i < n && i + 1 < SampleListModel::kColumns; ++i) {
                names[static_cast<size_t>(i + 1)] = rs.GetNameCellText(i);
            }
            rows.push_back(names);
            cutting = false;
        }
        for (; !rs.IsEOF(); rs.MoveNext()) {
            QStringList fields;
            QList<bool> numbers;
            for (int i = 0; i < n; ++i) {
                fields << rs.GetFieldValue(i);
                numbers << rs.IsFieldNumber(i);
            }
            rows.push_back(CellsFromFields(fields, numbers, cutting));
        }
        if (static_cast<size_t>(m_nRowCount) + rows.size() > static_cast<size_t>(kMaxListRows)) {
            m_bManualList = wasManualList;
            Prompt(QString("The sample list holds at most %1 rows: it has %2, the sheet %3 more. "
                           "Nothing was loaded.")
                       .arg(kMaxListRows)
                       .arg(m_nRowCount)
                       .arg(rows.size()));
            return;
        }
        if (wasManualList) {
            // The sample being entered joins the list, as the loaded rows do.
            m_nLoadedFirstRow = m_nRowCount - m_nSampleRowCount;
        }
        for (const ListRow& cells : rows) {
            const int row = AppendListRow();
            for (int c = 1; c < SampleListModel::kColumns; ++c) {
                m_model->SetCell(row, c, cells[static_cast<size_t>(c)]);
            }
            ++m_nSampleRowCount;
            ++m_nRowCount;
        }
        m_editID->setFocus();
        rs.Close();
        db.Close();
        m_nDrawMode = 0;
        FillRowStates();
        if (m_nSampleRowCount > 0) {
            m_listSamples->scrollTo(m_model->index(m_nRowCount - m_nSampleRowCount, 0));
        }
    } catch (const UnreadableWorkbookError& e) {
        // The driver says which file and why; the sheet is not the problem.
        m_bManualList = wasManualList;
        Prompt(e.Message() + ". Nothing was loaded.", kAppTitle, PromptIcon::Error);
    } catch (const ExcelError&) {
        m_bManualList = wasManualList;
        Prompt("This is not a correct file, Sheet label should be vyn8 in excel file");
    }
    m_radioBatch->setEnabled(false);
    m_radioTotalize->setEnabled(false);
    m_chkSameAsPrevious->hide();
}
