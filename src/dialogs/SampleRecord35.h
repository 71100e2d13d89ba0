#pragma once

#include "dialogs/RecordListDialog.h"

// Sample Record: the records read from a sample record file, numbered from 0.
class SampleRecord35 : public RecordListDialog {
    Q_OBJECT
public:
    enum { IDC_RECORDLIST = 1054, IDC_PRINT = 1055 };
    explicit SampleRecord35(QWidget* parent = nullptr);
};
