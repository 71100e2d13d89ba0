// ID entry and the rows of the sample list. (Filled in with sample entry.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::OnIdEnter() {}
void Cvyn8_rk47View::AddSampleFromEntry() {}
int Cvyn8_rk47View::SelectRowsById() {
    return 0;
}
void Cvyn8_rk47View::CopyPreviousSample() {}
void Cvyn8_rk47View::OnDelete() {}
void Cvyn8_rk47View::OnSetCounter() {}
