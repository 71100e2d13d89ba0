#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "data/SeedWeightDetermination.h"

// vyn8_seed_weights.txt in the data folder: one TAB-separated line per
// thousand-seed weight determination, in the order of SeedWeightColumns,
// 8-bit text like the console's other files. Lists within a field (the
// weights, the seeds, the discarded replicates) are separated by ';'.
inline constexpr char kSeedWeightFileName[] = "vyn8_seed_weights.txt";

const QStringList& SeedWeightColumns();
QStringList SeedWeightFields(const SeedWeightRecord& r);

// Adds the determination's line to the file (made when missing), writing
// the whole file through a temporary one: the earlier lines are never at
// risk. False with a reason fit for the operator.
bool AppendSeedWeight(const QString& path, const SeedWeightRecord& r, QString* error);

// The lines of the file, each split into its fields (a missing file reads as
// none). False with a reason when it cannot be read.
bool ReadSeedWeights(const QString& path, std::vector<QStringList>* rows, QString* error);

// The determinations as CSV and as an .xlsx workbook, under the column names.
bool WriteSeedWeightsCsv(const QString& path, const std::vector<QStringList>& rows, QString* error);
bool WriteSeedWeightsXlsx(const QString& path, const std::vector<QStringList>& rows,
                          QString* error);
