// ID entry and the rows of the sample list: Enter in the I.D.(Variety) edit,
// the Data Input series, "Data Same as Previous", the selection of a loaded
// list's rows by ID, and Delete.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/cBatch35.h"
#include "platform/Prompter.h"
#include "platform/StoredText.h"

namespace {

// The sample and the list have fixed capacities; rows beyond them are
// refused as a whole, with a message, before anything is added.
bool RoomForRows(int sampleRows, int listRows, int adding) {
    QString text;
    if (sampleRows + adding > kMaxSampleRows) {
        text = QStringLiteral("A sample can hold at most %1 rows; this one has %2.")
                   .arg(kMaxSampleRows)
                   .arg(sampleRows);
    } else if (listRows + adding > kMaxListRows) {
        text = QStringLiteral(
                   "The sample list can hold at most %1 rows; it has %2. Save the "
                   "records to start a new list.")
                   .arg(kMaxListRows)
                   .arg(listRows);
    } else {
        return true;
    }
    Prompt(text + " No row was added.", kAppTitle, PromptIcon::Warning);
    return false;
}

struct EntryRow {
    QString id;
    QString packNo;
    QString numP;
    QString location;
    QString comment;
};

}  // namespace

void Cvyn8_rk47View::OnIdEnter() {
    if (!IdEntryOpen()) {
        return;  // a sample runs, or there is no link: nothing is entered
    }
    // A scanned ID that the files and the counter cannot carry goes no
    // further; it stays selected, so the next scan replaces it.
    const QString problem = StoredTextProblem("The I.D.(Variety)", m_editID->text());
    if (!problem.isEmpty()) {
        Prompt(problem, kAppTitle, PromptIcon::Warning);
        m_editID->selectAll();
        return;
    }
    if (m_bManualList == 0) {
        m_nDrawMode = 0;
        m_nCurPacket = 0;
        m_nTotalPackets = m_nSampleRowCount;
        const int found = SelectRowsById();
        if (found <= 0) {
            if (found == 0) {
                Prompt("No match ID !");
            }
            m_nSampleRowCount = m_nTotalPackets;
            return;
        }
        m_nSampleRowCount = found;
        m_btnStart->setEnabled(true);
        m_listSamples->scrollTo(m_model->index(m_nSampleRows[0], 0));
        OnStart();
        return;
    }
    if (IsSameAsPreviousChecked() && m_pDoc->m_nSaveState != RECORDS_SAVED) {
        if (m_nCurPacket != 0) {
            CopyPreviousSample();
            return;
        }
        m_chkSameAsPrevious->setChecked(false);
    }
    AddSampleFromEntry();
}

int Cvyn8_rk47View::SelectRowsById() {
    m_strBarcode = m_editID->text();
    std::vector<int> matches;
    for (int r = m_nRowCount - LoadedWindow(); r < m_nRowCount; ++r) {
        if (m_model->Cell(r, SampleListModel::Id) == m_strBarcode &&
            m_model->State(r) != SampleListModel::Counted) {
            matches.push_back(r);
        }
    }
    const int found = static_cast<int>(matches.size());
    if (found > kMaxSampleRows) {
        Prompt(QStringLiteral("The ID %1 is on %2 rows still to be counted; a sample can hold "
                              "at most %3 rows. Nothing was selected.")
                   .arg(m_strBarcode)
                   .arg(found)
                   .arg(kMaxSampleRows),
               kAppTitle, PromptIcon::Warning);
        return -1;
    }
    for (int j = 0; j < found; ++j) {
        m_nSampleRows[static_cast<size_t>(j)] = matches[static_cast<size_t>(j)];
        m_model->SetState(matches[static_cast<size_t>(j)], SampleListModel::Selected);
    }
    if (found > 0) {
        const bool totalize = m_model->Cell(matches.front(), SampleListModel::PackNo) == "0";
        CheckModeRadio(totalize ? IDC_TOTALIZE : IDC_BATCH);
        m_bTotalizeMode = totalize;
        m_bBatchMode = !totalize;
    }
    return found;
}

void Cvyn8_rk47View::AddSampleFromEntry() {
    m_model->SetPlainColours(Qt::black, m_model->PlainBack());
    Cvyn8_rk47Doc& doc = *m_pDoc;
    StartAfreshIfSaved();
    m_nDrawMode = 0;
    m_strBarcode = m_editID->text();
    const QString seed = doc.m_seedNames.value(m_nSeedIndex);

    auto addRow = [&](const EntryRow& e) {
        const int row = AppendListRow();
        const QString cells[] = {e.id, seed, e.packNo, e.numP, e.location, e.comment, QString()};
        for (int c = SampleListModel::Id; c <= SampleListModel::Inventory; ++c) {
            m_model->SetCell(row, c, cells[c - SampleListModel::Id]);
        }
        m_btnDelete->setEnabled(true);
        m_btnStart->setEnabled(true);
        ++m_nSampleRowCount;
        ++m_nRowCount;
    };

    if (m_bBatchMode || (m_bTotalizeMode && m_bOptLocationComment == 1)) {
        int more = 1;
        while (more == 1 && RoomForRows(m_nSampleRowCount, m_nRowCount, 1)) {
            cBatch35 dlg(this, m_strBarcode);
            dlg.m_strBatch = QString::number(m_nSampleRowCount + 1);
            dlg.m_bPacketEntry = m_bBatchMode ? 1 : 0;
            dlg.m_bShowLocation = m_bOptLocationComment;
            if (dlg.DoModal() != IDOK) {
                break;  // Cancel adds nothing and ends the series
            }
            EntryRow e{dlg.m_strID.isEmpty() ? QStringLiteral("12345678") : dlg.m_strID,
                       dlg.m_strPackets, dlg.m_strSeedsPerPacket, dlg.m_strLocation,
                       dlg.m_strComments};
            if (m_bBatchMode) {
                e.packNo = e.packNo.isEmpty() ? QStringLiteral("1") : e.packNo;
                e.numP = e.numP.isEmpty() ? QStringLiteral("20") : e.numP;
            } else {
                e.packNo = "0";
                e.numP = "1";
            }
            addRow(e);
            more = dlg.m_bContinue;
        }
    } else if (RoomForRows(m_nSampleRowCount, m_nRowCount, 1)) {
        addRow({m_strBarcode, "0", "1", QString(), QString()});
    }

    FillRowStates();
    const int pos = std::clamp(m_nCurPacket, 0, kSampleRowTable - 1);
    m_listSamples->scrollTo(m_model->index(m_nSampleRows[static_cast<size_t>(pos)], 0));
    if (m_bTotalizeMode) {
        OnStart();
    } else {
        m_nCurPacket = 0;
    }
    ClearIdEntry();
}

void Cvyn8_rk47View::CopyPreviousSample() {
    // The list's text colour is already the plain one here.
    m_strBarcode = m_editID->text();
    const int c = m_nRowCount;
    const int n = std::min(m_nCurPacket, c);
    if (RoomForRows(m_nSampleRowCount, m_nRowCount, n)) {
        for (int i = 0; i < n; ++i) {
            const int from = c + i - n;
            const int row = AppendListRow();
            m_model->SetCell(row, SampleListModel::Id, m_strBarcode);
            for (int col = SampleListModel::Seed; col <= SampleListModel::Comment; ++col) {
                m_model->SetCell(row, col, m_model->Cell(from, col));
            }
            m_btnDelete->setEnabled(true);
            m_btnStart->setEnabled(true);
            ++m_nSampleRowCount;
            ++m_nRowCount;
        }
    }
    m_nCurPacket = 0;
    FillRowStates();
    ClearIdEntry();
}

void Cvyn8_rk47View::OnDelete() {
    if (m_nRowCount > 0 && m_nSampleRowCount > 0) {
        DeleteLastListRow();
        // The deleted row was the current sample's last row in either mode.
        --m_nSampleRowCount;
        if (m_bTotalizeMode) {
            m_btnDelete->setEnabled(false);
        }
    }
    ClearIdEntry();
}
