#pragma once

#include <QStringList>

class QPagedPaintDevice;

// One determination (a line of vyn8_seed_weights.txt, split into its
// fields) as a one-page report: the sample, the method, the replicate table
// with the seeds and weights and the discarded ones marked, the figures and
// the thousand-seed weight. False when the device could not be painted on.
bool PaintSeedWeightReport(QPagedPaintDevice& device, const QStringList& fields);
