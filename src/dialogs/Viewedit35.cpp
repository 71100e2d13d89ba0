#include "dialogs/Viewedit35.h"

Viewedit35::Viewedit35(QWidget* parent)
    : RecordListDialog({"Dialog",
                        IDC_RECORDLIST,
                        IDC_PRINT,
                        "Cancel",
                        {"No", "BarCode", "Seed", "PackNo", "Number/P", "Inventory",
                         "TotalQuantity", "Location", "Comment"},
                        1,
                        "BarCode",
                        QSize(656, 430)},
                       parent) {}
