#pragma once

// Rows as a sample list loaded by Load File... leaves them: appended after
// the list's rows, the console working through them by scanned ID.

#include <vector>

#include "console/Cvyn8_rk47View.h"

struct LoadedRow {
    QString id;
    QString packNo;  // "0": a Totalize Count sample
    QString numP = "1";
    QString seed = "Wheat";
};

inline void LoadListRows(Cvyn8_rk47View& view, const std::vector<LoadedRow>& rows) {
    SampleListModel& list = view.list();
    const int first = view.m_nRowCount - (view.m_bManualList ? view.m_nSampleRowCount : 0);
    for (const LoadedRow& r : rows) {
        const int row = view.AppendListRow();
        list.SetCell(row, SampleListModel::Id, r.id);
        list.SetCell(row, SampleListModel::Seed, r.seed);
        list.SetCell(row, SampleListModel::PackNo, r.packNo);
        list.SetCell(row, SampleListModel::NumP, r.numP);
        ++view.m_nRowCount;
        ++view.m_nSampleRowCount;
    }
    view.m_nLoadedFirstRow = first;
    view.m_bManualList = 0;
    view.m_nDrawMode = 0;
    view.FillRowStates();
    view.UnlockSelection();
}
