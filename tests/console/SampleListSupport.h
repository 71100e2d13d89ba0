#pragma once

// Helpers for driving sample entry on a started console.

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "dialogs/cBatch35.h"
#include "e2e/PtyCounter.h"
#include "support/ConsoleFixture.h"

class SampleListFixture : public ConsoleFixture {
protected:
    // IDs are entered only with a live link: the console is connected to a
    // counter on a pseudo-terminal.
    void SetUp() override {
        ConsoleFixture::SetUp();
        ASSERT_TRUE(counter.ok());
        ClickControl(view.get(), IDC_CONNECT);
        ASSERT_TRUE(view->session().LinkLive());
    }
    // The mode as the radio buttons leave it, with the selection unlocked as
    // after Connect.
    void Choose(int mode) { ClickControl(view.get(), mode); }
    // Types (or scans) an ID and presses Enter in the ID edit.
    void EnterId(const QString& id) {
        SetControlText(view.get(), IDC_ID, id);
        QTest::keyClick(ctl(IDC_ID), Qt::Key_Return);
    }
    // A Data Input entry: the two numbers, then Enter.
    static ScriptedDialogRunner::Action Numbers(const QString& packets, const QString& seeds) {
        return [=](CDialogBase& d) {
            SetControlText(&d, cBatch35::IDC_EDIT_PACKETS, packets);
            SetControlText(&d, cBatch35::IDC_EDIT_SEEDS, seeds);
            QTest::keyClick(FindControl(&d, cBatch35::IDC_EDIT_SEEDS), Qt::Key_Return);
        };
    }
    static ScriptedDialogRunner::Action Done() {
        return [](CDialogBase& d) { ClickControl(&d, cBatch35::IDC_BTN_DONE); };
    }
    // Columns ID to Comment of a row.
    QStringList Row(int r) const {
        QStringList out;
        for (int c = SampleListModel::Id; c <= SampleListModel::Comment; ++c) {
            out << view->list().Cell(r, c);
        }
        return out;
    }
    // Adds rows as a loaded list would hold them: ID and PackNo given.
    void LoadRows(const std::vector<std::pair<QString, QString>>& rows) {
        std::vector<std::array<QString, RowTable::kColumns>> cells;
        for (const auto& [id, packNo] : rows) {
            std::array<QString, RowTable::kColumns> row;
            row[RowTable::Id] = id;
            row[RowTable::PackNo] = packNo;
            cells.push_back(row);
        }
        view->session().LoadRows(cells);
        view->session().LoadFinished();
    }

    PtyCounter counter;
};
