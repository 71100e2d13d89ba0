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
    std::vector<std::array<QString, RowTable::kColumns>> cells;
    for (const LoadedRow& r : rows) {
        std::array<QString, RowTable::kColumns> row;
        row[RowTable::Id] = r.id;
        row[RowTable::Seed] = r.seed;
        row[RowTable::PackNo] = r.packNo;
        row[RowTable::NumP] = r.numP;
        cells.push_back(row);
    }
    view.session().LoadRows(cells);
    view.session().LoadFinished();
}
