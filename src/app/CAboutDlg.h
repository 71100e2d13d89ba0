#pragma once

#include "platform/DialogBase.h"

// The About box: the application icon, the version line and OK.
class CAboutDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
