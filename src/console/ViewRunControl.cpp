// Count mode buttons and the run buttons. (Filled in with the counting work.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::OnTotalizeCount() {}
void Cvyn8_rk47View::OnBatchCount() {}
void Cvyn8_rk47View::OnStart() {}
void Cvyn8_rk47View::OnStop() {}
void Cvyn8_rk47View::OnZero() {}
void Cvyn8_rk47View::OnDump() {}
void Cvyn8_rk47View::OnRepeat() {}
void Cvyn8_rk47View::OnDone() {}
void Cvyn8_rk47View::OnReset() {}
void Cvyn8_rk47View::CompleteSample() {}
void Cvyn8_rk47View::DiscardUncountedRows() {}
void Cvyn8_rk47View::OnDeltaposFeedSpeed(int, int) {}
