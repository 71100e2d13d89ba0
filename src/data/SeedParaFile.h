#pragma once

#include <QString>

class Cvyn8_rk47Doc;

// SeedPara.txt: one line per seed parameter set, five fields separated by a
// space: name, feed speed, sensitivity, gate vertical, gate horizontal.

// Fills the document's five seed lists; returns the number of complete sets
// (0 when the file cannot be read).
int LoadSeedParaFile(const QString& path, Cvyn8_rk47Doc& doc);
// Writes sets 0 to count-1. On failure returns false with a reason in `error`.
bool SaveSeedParaFile(const QString& path, const Cvyn8_rk47Doc& doc, int count,
                      QString* error = nullptr);
