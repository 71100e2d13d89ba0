#include "link/BalanceSim.h"

#include <QTest>

BalanceProbe::BalanceProbe(BalanceLink::Timing timing)
    : link([this](const BalanceLink::Event& e) { events.push_back(e); }, timing) {}

bool BalanceProbe::WaitEvents(size_t n, int ms) {
    return QTest::qWaitFor([&] { return events.size() >= n; }, ms);
}
