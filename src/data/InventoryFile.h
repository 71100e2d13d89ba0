#pragma once

#include <QString>

class InventoryMap;

inline constexpr const char* kInventoryFileName = "vyn8_inventory.txt";

// vyn8_inventory.txt: one line per inventory entry, the sample ID, a TAB and
// the inventory text. Entries with an empty ID are not written.

// Reads the file into `map`; a missing file leaves it as it is (false). A
// last line without its line end (a hand-edited file) is read whole. An
// entry whose ID or value holds a lone CR or a NUL could not be written back
// as it was read: it is left out, kept as it was in the map's wrong lines
// (which a save writes back), and named in `problem` when given.
bool LoadInventoryFile(const QString& path, InventoryMap& map, QString* problem = nullptr);
bool SaveInventoryFile(const QString& path, const InventoryMap& map, QString* error = nullptr);
