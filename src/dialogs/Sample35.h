#pragma once

#include "dialogs/NoticeDlg.h"

// "Sample Ready !": shown when the counter reports that a sample is ready.
class Sample35 : public CNoticeDlg {
    Q_OBJECT
public:
    enum { IDD = 135 };
    explicit Sample35(QWidget* parent = nullptr);
};
