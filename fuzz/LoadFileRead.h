#pragma once

#include <QString>

#include "FuzzInput.h"
#include "data/SampleSheet.h"
#include "platform/StoredText.h"

// Reads the file at `path` as Load File does: either rows that can all be
// stored, or a fault that gives no row and, but for a missing sheet, names
// the file.
inline void ReadAsLoadFileDoes(const QString& path) {
    const SampleSheet sheet = ReadSampleSheet(path);
    if (sheet.fault == SampleSheet::Fault::None) {
        for (const SampleCells& row : sheet.rows) {
            for (const QString& cell : row) {
                FUZZ_CHECK(FindTextFault(cell) == TextFault::None,
                           "every loaded cell can be stored");
            }
        }
        return;
    }
    FUZZ_CHECK(sheet.rows.empty(), "a file that is refused loads no row");
    FUZZ_CHECK(sheet.fault == SampleSheet::Fault::NoSheet || sheet.message.contains(path),
               "a refusal names the file");
}
