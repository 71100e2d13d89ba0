#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "data/cParam.h"

class QPrinter;

// Draws the table of `records` on `printer`, scaled so the layout's width
// fills the printable width, over as many pages as it needs in one job.
// False when the job could not be started or a page could not be begun.
bool PrintRecordTable(QPrinter& printer, const std::vector<std::unique_ptr<cParam>>& records,
                      const QString& barcodeTitle);
