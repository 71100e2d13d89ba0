// The document's menu commands. (Filled in with the record files.)

#include "data/Cvyn8_rk47Doc.h"

void Cvyn8_rk47Doc::OnOpenSampleRecord() {}
void Cvyn8_rk47Doc::OnSaveRecords() {}
void Cvyn8_rk47Doc::OnPrintRecords() {}
void Cvyn8_rk47Doc::OnReviewSampleOpened() {}
void Cvyn8_rk47Doc::OnCheckInventory() {}
void Cvyn8_rk47Doc::OnViewCurrentSample() {}
