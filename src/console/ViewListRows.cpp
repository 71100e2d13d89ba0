// Row bookkeeping shared by sample entry, the run buttons and the counter's
// messages.

#include <QTableView>
#include <algorithm>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"

int Cvyn8_rk47View::AppendListRow() {
    const int row = m_nRowCount;
    m_model->InsertRow(row);
    m_model->SetCell(row, SampleListModel::No, QString::number(row + 1));
    return row;
}

void Cvyn8_rk47View::DeleteLastListRow() {
    if (m_nRowCount <= 0) {
        return;
    }
    m_model->DeleteRow(m_nRowCount - 1);
    --m_nRowCount;
}

void Cvyn8_rk47View::DeleteSampleRows(int from) {
    // The rows of a sample stand in ascending order: deleting from the last
    // one keeps the places of those before it.
    int lowest = m_nRowCount;
    for (int k = std::min(m_nSampleRowCount, kSampleRowTable) - 1; k >= std::max(from, 0); --k) {
        const int row = m_nSampleRows[static_cast<size_t>(k)];
        if (row >= 0 && row < m_nRowCount) {
            m_model->DeleteRow(row);
            --m_nRowCount;
            lowest = std::min(lowest, row);
        }
    }
    for (int r = lowest; r < m_nRowCount; ++r) {
        m_model->SetCell(r, SampleListModel::No, QString::number(r + 1));
    }
}

int Cvyn8_rk47View::LoadedWindow() const {
    return m_nRowCount - std::clamp(m_nLoadedFirstRow, 0, m_nRowCount);
}

bool Cvyn8_rk47View::LoadedListDone() const {
    for (int r = m_nRowCount - LoadedWindow(); r < m_nRowCount; ++r) {
        if (m_model->State(r) != SampleListModel::Counted) {
            return false;
        }
    }
    return true;
}

void Cvyn8_rk47View::FillRowStates() {
    const int n = m_nSampleRowCount;
    const int c = m_nRowCount;
    for (int j = 0; j < n; ++j) {
        m_model->SetState(c - n + j, m_nDrawMode);
        // A loaded list is longer than one sample: its rows are picked into
        // the table by ID later, so only the table's size is filled here.
        if (j < kSampleRowTable) {
            m_nSampleRows[static_cast<size_t>(j)] = c - n + j;
        }
    }
}

void Cvyn8_rk47View::RedrawMarkedRow() {
    if (m_nDrawMode == 1) {
        m_model->SetState(m_nSampleRows[static_cast<size_t>(m_nMarkPos)], SampleListModel::Counted);
        m_nDrawMode = 4;
    } else if (m_nDrawMode == 3) {
        m_model->SetState(m_nSampleRows[static_cast<size_t>(m_nCurPacket)],
                          SampleListModel::Current);
        m_nDrawMode = 4;
    }
}

void Cvyn8_rk47View::StartAfreshIfSaved() {
    Cvyn8_rk47Doc& doc = *m_pDoc;
    if (doc.m_nSaveState != RECORDS_SAVED) {
        return;
    }
    // The previous records are safe on disk: a new list starts afresh.
    m_model->DeleteAll();
    m_nCurPacket = 0;
    m_nSampleRowCount = 0;
    doc.DiscardRecords();
    m_pCurrentEntry = nullptr;
    doc.m_nSaveState = RECORDS_UNSAVED;
    m_nRowCount = 0;
    HideSameAsPrevious();
}
