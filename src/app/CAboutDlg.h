#pragma once

#include <QIcon>

#include "platform/DialogBase.h"

// The application icon (also installed for the desktop menu).
QIcon AppIcon();

// The About box: the application icon, the version line, the data folder
// and OK.
class CAboutDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
