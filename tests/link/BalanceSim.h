#pragma once

// Runs the simulated balance for a test and collects what a BalanceLink to
// it reports.

#include <QStringList>
#include <vector>

#include "link/BalanceLink.h"
#include "link/SimHarness.h"

// vyn8-balance on a pty behind <temp>/balance, with the given options.
struct BalanceSim : SimProcess {
    explicit BalanceSim(const QStringList& options)
        : SimProcess(options, "tools/balance-sim/vyn8-balance", "balance") {}
};

// A BalanceLink that keeps its events.
struct BalanceProbe {
    explicit BalanceProbe(BalanceLink::Timing timing = {1000, 3000, 50});
    // Waits (running the event loop) until `n` events have come.
    bool WaitEvents(size_t n, int ms = 5000);
    std::vector<BalanceLink::Event> events;
    BalanceLink link;
};
