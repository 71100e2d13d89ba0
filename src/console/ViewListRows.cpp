// Row bookkeeping shared by sample entry, the run buttons and the counter's
// messages.

#include <QTableView>

#include "console/Cvyn8_rk47View.h"

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

void Cvyn8_rk47View::FillRowStates() {
    const int n = m_nSampleRowCount;
    const int c = m_nRowCount;
    for (int j = 0; j < n; ++j) {
        m_model->SetState(c - n + j, m_nDrawMode);
        m_nSampleRows[static_cast<size_t>(j)] = c - n + j;
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
