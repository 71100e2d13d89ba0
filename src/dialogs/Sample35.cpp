#include "dialogs/Sample35.h"

Sample35::Sample35(QWidget* parent) : CNoticeDlg("Sample", "Sample Ready !", parent) {}
