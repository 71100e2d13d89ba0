#pragma once

// The operator's entry steps, shared by the console and end-to-end tests.

#include <QLineEdit>
#include <QtTest/QTest>
#include <utility>
#include <vector>

#include "console/Cvyn8_rk47View.h"
#include "dialogs/cBatch35.h"
#include "support/FormControls.h"
#include "support/TestSupport.h"

// Scans `id` into the ID edit and presses Enter.
inline void ScanId(Cvyn8_rk47View& view, const QString& id) {
    IdEdit(view)->setText(id);
    QTest::keyClick(IdEdit(view), Qt::Key_Return);
}

// A Batch Count series: one Data Input dialog per row (packets, seeds per
// packet), the dialog after the last one cancelled.
inline void EnterBatchSeries(Cvyn8_rk47View& view, ScriptedDialogRunner& dialogs, const QString& id,
                             const std::vector<std::pair<QString, QString>>& rows) {
    if (!(view.session().Mode() == CountMode::Batch)) {
        ClickControl(&view, IDC_BATCH);
    }
    for (const auto& row : rows) {
        dialogs.Then([packets = row.first, seeds = row.second](CDialogBase& dlg) {
            SetControlText(&dlg, cBatch35::IDC_EDIT_PACKETS, packets);
            SetControlText(&dlg, cBatch35::IDC_EDIT_SEEDS, seeds);
            QTest::keyClick(dlg.control(cBatch35::IDC_EDIT_SEEDS), Qt::Key_Return);
        });
    }
    dialogs.Then([](CDialogBase& dlg) { dlg.reject(); });  // Cancel ends the series
    ScanId(view, id);
}
