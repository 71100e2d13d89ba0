#pragma once

#include <memory>
#include <vector>

#include "data/cParam.h"

class QWidget;

// At most this many labels go out in one job.
inline constexpr qint64 kMaxLabelsPerJob = 100000;

// Option > Print Labels...: the labels of `records` through the Label Layout
// dialog (its choices kept in the program's settings) and the print dialog.
// No record, too many labels, a job the printer refuses and IDs that print
// as text only are each told to the operator.
void PrintPacketLabels(const std::vector<std::unique_ptr<cParam>>& records, QWidget* parent);
