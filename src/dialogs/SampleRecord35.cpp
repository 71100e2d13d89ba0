#include "dialogs/SampleRecord35.h"

SampleRecord35::SampleRecord35(QWidget* parent)
    : RecordListDialog({"Sample Record",
                        IDC_RECORDLIST,
                        IDC_PRINT,
                        "Exit",
                        {"No", "I.D.(Variety)", "Seed", "PackNo", "Number/P", "Inventory",
                         "Total Quantity", "Location", "Comment"},
                        0,
                        "Barcode",
                        QSize(660, 470)},
                       parent) {}
