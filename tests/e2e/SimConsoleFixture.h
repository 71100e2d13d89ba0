#pragma once

// A started console connected to the simulated counter (vyn8-counter) on a
// pseudo-terminal behind COM1, with the operator's entry steps.

#include <QCheckBox>
#include <QPushButton>
#include <memory>

#include "console/EntrySteps.h"
#include "link/SimHarness.h"
#include "support/ConsoleFixture.h"

class CountWithSimulator : public ConsoleFixture {
protected:
    // `options` as vyn8-counter takes them; COM1 leads to it.
    void StartCounter(const QStringList& options) {
        sim = std::make_unique<SimProcess>(options);
        ASSERT_TRUE(sim->Started()) << "vyn8-counter did not start";
        env = std::make_unique<PortEnv>(sim->Link());
        view->show();
        view->activateWindow();
        ClickControl(view.get(), IDC_CONNECT);
        ASSERT_TRUE(view->session().LinkLive()) << prompter.Texts().join("|").toStdString();
    }
    void TearDown() override {
        ConsoleFixture::TearDown();
        env.reset();
        sim.reset();
    }
    template <typename Pred>
    bool WaitUntil(Pred done, int ms = 5000) {
        return QTest::qWaitFor(done, ms);
    }
    void Scan(const QString& id) { ScanId(*view, id); }
    void EnterSeries(const QString& id, const std::vector<std::pair<QString, QString>>& rows) {
        EnterBatchSeries(*view, dialogs, id, rows);
    }
    int Count() const { return view->session().LastCount().toInt(); }
    const cParam& Record(int i) const { return *doc->m_records[static_cast<size_t>(i)]; }
    QString Cell(int row, int col) const { return view->list().Cell(row, col); }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<PortEnv> env;
};
