// Load File...: a sample list from a workbook. (Filled in with the workbooks.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::OnLoadFile() {}
