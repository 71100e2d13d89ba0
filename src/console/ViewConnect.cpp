// Connect, Disconnect and the link's part of the shut-down.
// (Filled in with the counter link.)

#include "console/Cvyn8_rk47View.h"

void Cvyn8_rk47View::OnConnect() {}
void Cvyn8_rk47View::OnDisconnect() {}
void Cvyn8_rk47View::ShutdownLink() {}
