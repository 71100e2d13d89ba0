#pragma once

#include <QString>

#include "platform/DialogBase.h"

class QLineEdit;
class QLabel;

// Correct...: a new inventory value for one ID and the reason for it, both
// required; the value a whole number as the console's numeric fields take.
class CorrectInventoryDlg : public CDialogBase {
    Q_OBJECT
public:
    enum Control { IDC_CORRECT_VALUE = 1051, IDC_CORRECT_REASON = 1052 };

    explicit CorrectInventoryDlg(QWidget* parent = nullptr);

    QString m_strId;
    QString m_strBefore;
    QString m_strValue;
    QString m_strReason;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QLabel* m_labelId = nullptr;
    QLineEdit* m_editValue = nullptr;
    QLineEdit* m_editReason = nullptr;
};
