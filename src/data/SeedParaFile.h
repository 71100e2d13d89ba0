#pragma once

#include <QString>

class Cvyn8_rk47Doc;

// SeedPara.txt: one line per seed parameter set, five fields separated by a
// space: name, feed speed, sensitivity, gate vertical, gate horizontal.

// Fills the document's five seed lists, one set per line, and returns the
// number of sets (0 when the file cannot be read). Blanks and TABs before a
// line end are ignored, and so are empty lines; a last line without its line
// end is read whole. A line that is not a set (an empty name, a value that is
// not a whole number, another number of fields) is left out: it is kept in
// the document's m_wrongSeedLines, so a rewrite keeps it, and `problem` (when
// given) gets one message naming every such line.
int LoadSeedParaFile(const QString& path, Cvyn8_rk47Doc& doc, QString* problem = nullptr);
// Writes sets 0 to count-1, then the lines that were left out as they were.
// On failure returns false with a reason in `error`.
bool SaveSeedParaFile(const QString& path, const Cvyn8_rk47Doc& doc, int count,
                      QString* error = nullptr);
