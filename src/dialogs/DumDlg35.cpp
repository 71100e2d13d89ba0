#include "dialogs/DumDlg35.h"

DumDlg35::DumDlg35(QWidget* parent)
    : CNoticeDlg("Dump", "Waiting for Dumping and Cleaning...", parent) {}
