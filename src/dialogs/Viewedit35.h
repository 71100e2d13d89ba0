#pragma once

#include "dialogs/RecordListDialog.h"

// View/Edit: the records of the current counting work, numbered from 1.
class Viewedit35 : public RecordListDialog {
    Q_OBJECT
public:
    enum { IDC_RECORDLIST = 1056, IDC_PRINT = 1057 };
    explicit Viewedit35(QWidget* parent = nullptr);
};
