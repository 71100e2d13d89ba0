#pragma once

#include <QString>

class InventoryMap;

inline constexpr const char* kInventoryFileName = "vyn8_inventory.txt";

// vyn8_inventory.txt: one line per inventory entry, the sample ID, a TAB and
// the inventory text. Entries with an empty ID are not written.

// Reads the file into `map`; a missing file leaves it as it is (false). A
// last line without its line end (a hand-edited file) is read whole.
bool LoadInventoryFile(const QString& path, InventoryMap& map);
bool SaveInventoryFile(const QString& path, const InventoryMap& map, QString* error = nullptr);
