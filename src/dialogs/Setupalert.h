#pragma once

#include "platform/DialogBase.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// Setup Frame: the console's three options and the operator's name. Each
// option member is 1 for a ticked box; OK stores the boxes, Cancel leaves the
// members as they were given. The operator's name is kept in the settings
// (OK refuses an empty one); the ledger's transactions carry it. So is the
// lab's ledger server, never with a password.
class Setupalert : public CDialogBase {
    Q_OBJECT
public:
    enum { IDD = 138 };
    enum Control {
        IDC_CHK_SAMPLE_READY = 1061,
        IDC_CHK_AUTO_DUMP = 1062,
        IDC_CHK_LOCATION_COMMENT = 1065,
        IDC_OPERATOR = 1066,
        IDC_LEDGER_SERVER = 1067,
        IDC_STATION = 1068,
    };

    explicit Setupalert(QWidget* parent = nullptr);

    QCheckBox* m_chkSampleReady = nullptr;
    QCheckBox* m_chkAutoDump = nullptr;
    int m_bSampleReadyDialog = 1;
    int m_bAutoDump = 1;
    int m_bLocationCommentRequired = 1;
    QCheckBox* m_chkLocationComment = nullptr;
    QLineEdit* m_editOperator = nullptr;
    QString m_strOperator;
    // This counting station's name in the ledger (the host name unless set).
    QLineEdit* m_editStation = nullptr;
    QString m_strStation;
    // The lab's ledger server (a connection string); empty: this computer.
    QLineEdit* m_editServer = nullptr;
    QString m_strServer;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QPushButton* m_btnOk = nullptr;
};
