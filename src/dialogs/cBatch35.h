#pragma once

#include <QString>

#include "platform/DialogBase.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Data Input: the details of one row of a sample (ID, number of packets,
// seeds per packet, and optionally location and comment). In Batch Count the
// console opens it again while m_bContinue is 1, so an operator with a
// scanner can enter a whole series with the Enter key; Done ends the series.
//
// Enter, from whichever control has the focus, runs OnOK and is the only key
// the dialog handles: Tab, the arrows and Escape do not move the focus or
// close it. The caption's close box acts as Cancel.
class cBatch35 : public CDialogBase {
    Q_OBJECT
public:
    enum { IDD = 134 };
    enum Control {
        IDC_EDIT_COMMENTS = 1047,
        IDC_EDIT_ID = 1048,
        IDC_EDIT_BATCH = 1049,
        IDC_EDIT_PACKETS = 1050,
        IDC_EDIT_SEEDS = 1051,
        IDC_EDIT_LOCATION = 1052,
        IDC_BTN_DONE = 1053,
        IDC_LBL_COMMENTS = 1066,
        IDC_LBL_LOCATION = 1067,
    };

    cBatch35(QWidget* parent, const QString& id);

    // 1: packets and seeds per packet are entered (Batch Count); 0: both
    // fields are disabled (Totalize Count).
    int m_bPacketEntry = 0;
    // Nonzero: Location and Comments are shown.
    int m_bShowLocation = 0;
    // 1 after close: the caller opens the dialog again for the next row.
    int m_bContinue = 0;

    QLineEdit* m_editID = nullptr;
    QLineEdit* m_editBatch = nullptr;
    QLineEdit* m_editPackets = nullptr;
    QLineEdit* m_editSeedsPerPacket = nullptr;
    QLineEdit* m_editLocation = nullptr;
    QLineEdit* m_editComments = nullptr;

    QString m_strID;
    QString m_strBatch;
    QString m_strPackets;
    QString m_strSeedsPerPacket;
    QString m_strLocation;
    QString m_strComments;

    void OnBnClickedDone();
    void OnBnClickedCancel();
    void OnEnChangePackets();
    void OnEnChangeSeedsPerPacket();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    // Texts between the members and the edits: true reads the edits.
    void UpdateData(bool fromControls);
    // The OK step: all six texts read from the edits, then IDOK.
    void EndWithOk();
    // False, after telling the operator, when a text the row would carry
    // cannot be stored (a Tab or line break, a letter outside Latin-1); the
    // dialog then stays open on that field.
    bool EntryCanBeStored();

    QLabel* m_lblLocation = nullptr;
    QLabel* m_lblComments = nullptr;
    QPushButton* m_btnDone = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
