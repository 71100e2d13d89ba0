// Edit Seed Para. (Filled in with the seed editor.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::OnEditSeedPara() {}
