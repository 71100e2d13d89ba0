// Records of finished packets and samples. (Filled in with sample entry.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::RecordPacket() {}
void Cvyn8_rk47View::MarkIncomplete() {}
void Cvyn8_rk47View::ShowSampleReady() {}
