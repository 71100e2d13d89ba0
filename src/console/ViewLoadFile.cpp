// Load File...: a list of samples read from the sheet "vyn8" of a workbook
// (.xls or .xlsx) or from a CSV file.

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
#include "platform/StoredText.h"

namespace {

using ListRow = std::array<QString, RowTable::kColumns>;

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

// The rows of a sheet, each with the sheet row (from 1) it came from.
struct SheetRows {
    std::vector<ListRow> rows;
    std::vector<unsigned> sheetRows;
    void Add(const ListRow& cells, unsigned sheetRow) {
        rows.push_back(cells);
        sheetRows.push_back(sheetRow + 1);
    }
};

// Text from another program must fit the 8-bit files and the frames: a TAB
// or line break in a cell becomes a space (the number of such cells is
// returned); a row with a letter outside Latin-1 cannot be loaded, and the
// message naming those rows is put in `refusal`.
int MakeStorable(SheetRows& sheet, QString* refusal) {
    int replaced = 0;
    QStringList refused;
    for (size_t i = 0; i < sheet.rows.size(); ++i) {
        bool rowRefused = false;
        for (QString& cell : sheet.rows[i]) {
            const TextFault fault = FindTextFault(cell);
            if (fault == TextFault::LineBreak) {
                cell = WithoutLineBreaks(cell);
                ++replaced;
            } else if (fault == TextFault::NotLatin1) {
                rowRefused = true;
            }
        }
        if (rowRefused) {
            refused << QString::number(sheet.sheetRows[i]);
        }
    }
    if (!refused.isEmpty()) {
        constexpr qsizetype kNamed = 10;
        const qsizetype more = refused.size() - kNamed;
        QString rows = refused.mid(0, kNamed).join(", ");
        if (more > 0) {
            rows += QStringLiteral(" and %1 more").arg(more);
        }
        *refusal = QStringLiteral(
                       "Row%1 %2 of the sheet cannot be stored: use letters of Western European "
                       "languages only. Nothing was loaded.")
                       .arg(refused.size() > 1 ? "s" : "", rows);
    }
    return replaced;
}

}  // namespace

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
        const QString firstName = rs.GetFieldName(0);
        m_model->SetPlainColours(Qt::black, m_model->PlainBack());

        // The whole sheet is read before the list changes, so a sheet that
        // fails half-way or would overfill the list adds nothing.
        SheetRows sheet;
        bool cutting = true;
        if (firstName == "F1") {
            if (Prompt("Please format this file. If click Yes\n the message in first row will be "
                       "lost",
                       kAppTitle, PromptIcon::Question, PromptButtons::YesNo) != IDYES) {
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
            sheet.Add(names, 0);
            cutting = false;
        }
        for (; !rs.IsEOF(); rs.MoveNext()) {
            QStringList fields;
            QList<bool> numbers;
            for (int i = 0; i < n; ++i) {
                fields << rs.GetFieldValue(i);
                numbers << rs.IsFieldNumber(i);
            }
            sheet.Add(CellsFromFields(fields, numbers, cutting), rs.GetSheetRow());
        }
        const std::vector<ListRow>& rows = sheet.rows;
        QString refusal;
        const int replaced = MakeStorable(sheet, &refusal);
        if (!refusal.isEmpty()) {
            Prompt(refusal, kAppTitle, PromptIcon::Warning);
            return;
        }
        const int listRows = m_session->Rows().Count();
        if (static_cast<size_t>(listRows) + rows.size() > static_cast<size_t>(kMaxListRows)) {
            Prompt(QString("The sample list holds at most %1 rows: it has %2, %4 %3 more. "
                           "Nothing was loaded.")
                       .arg(kMaxListRows)
                       .arg(listRows)
                       .arg(rows.size())
                       .arg(path));
            return;
        }
        rs.Close();
        db.Close();
        m_session->LoadRows(rows);
        if (!rows.empty()) {
            ScrollTo(listRows, true);
        }
        if (replaced > 0) {
            Prompt(QStringLiteral("Tabs and line breaks in %1 cell%2 of the sheet were replaced "
                                  "by spaces.")
                       .arg(replaced)
                       .arg(replaced > 1 ? "s" : ""),
                   kAppTitle, PromptIcon::Information);
        }
    } catch (const UnreadableWorkbookError& e) {
        // The driver says which file and why; the sheet is not the problem.
        Prompt(e.Message() + ". Nothing was loaded.", kAppTitle, PromptIcon::Error);
    } catch (const ExcelError&) {
        Prompt("This is not a correct file, Sheet label should be vyn8 in excel file");
    }
    m_session->LoadFinished();
}
