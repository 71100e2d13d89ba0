#pragma once

#include "dialogs/NoticeDlg.h"

// "Waiting for Dumping and Cleaning...": shown while the counter dumps.
class DumDlg35 : public CNoticeDlg {
    Q_OBJECT
public:
    enum { IDD = 132 };
    explicit DumDlg35(QWidget* parent = nullptr);
};
