#pragma once

#include "data/BalanceSettings.h"
#include "platform/DialogBase.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// Setup Frame: the console's three options and the operator's name. Each
// option member is 1 for a ticked box; OK stores the boxes, Cancel leaves the
// members as they were given. The operator's name is kept in the settings
// (OK refuses an empty one); the ledger's transactions carry it. So is the
// lab's ledger server, never with a password. So is the balance on the second
// line (none by default): its port, line settings and protocol; OK refuses a
// port that is none of None, COM1..COM9 or a path.
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
        IDC_BALANCE_PORT = 1071,
        IDC_BALANCE_BAUD = 1072,
        IDC_BALANCE_DATA_BITS = 1073,
        IDC_BALANCE_PARITY = 1074,
        IDC_BALANCE_STOP_BITS = 1075,
        IDC_BALANCE_PROTOCOL = 1076,
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
    BalanceSettings m_balance;  // as stored; OK stores the form's

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QWidget* BuildBalanceGroup();
    // The form's balance settings; false with a message when they are bad.
    bool ReadBalance(BalanceSettings* out);
    QPushButton* m_btnOk = nullptr;
    QComboBox* m_comboPort = nullptr;
    QComboBox* m_comboBaud = nullptr;
    QComboBox* m_comboDataBits = nullptr;
    QComboBox* m_comboParity = nullptr;
    QComboBox* m_comboStopBits = nullptr;
    QComboBox* m_comboProtocol = nullptr;
};
