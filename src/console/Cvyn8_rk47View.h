#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <memory>
#include <vector>

#include "console/SampleListModel.h"
#include "link/CounterPort.h"
#include "session/CountSession.h"

class InventoryMap;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class UpDownCtrl;
class cSerialCom;
class ReceiveLoop;
class Cvyn8_rk47Doc;
class DumDlg35;
class Sample35;
class SeedWeightStation;

// Control IDs of the console form.
enum ConsoleControl {
    IDC_LIST = 1000,
    IDC_COM = 1001,
    IDC_BAUD = 1002,
    IDC_NAME = 1003,
    IDC_TOTALIZE = 1004,
    IDC_BATCH = 1005,
    IDC_CONNECT = 1007,
    IDC_DISCONNECT = 1008,
    IDC_LOADFILE = 1009,
    IDC_START = 1010,
    IDC_DUMP = 1011,
    IDC_RESET = 1012,
    IDC_STOP = 1014,
    IDC_ZERO = 1015,
    IDC_REPEAT = 1016,
    IDC_DELETE = 1017,
    IDC_DONE = 1018,
    IDC_SAMEASPREV = 1019,
    IDC_ID = 1020,
    IDC_PACKAGENO = 1022,
    IDC_COUNT = 1023,
    IDC_GATEHOR = 1024,
    IDC_GATEVER = 1025,
    IDC_BATCHNO = 1026,
    IDC_FEEDSPEED = 1027,
    IDC_SPIN = 1028,
    IDC_SENSITIVITY = 1029,
    IDC_GRP_DISPLAY = 1058,
    IDC_GRP_COUNTMODE = 1059,
    IDC_GRP_CONNECT = 1060,
};

// The counter console: the program's one form. It owns the link to the
// counter (the serial channel and its receive loop) and the widgets; the
// counting rules and state live in the count session, which the form
// forwards the operator's commands and the counter's frames to and whose
// state it shows. Everything here runs on the user-interface thread.
//
// The handlers are split over several .cpp files by concern:
//   ViewForm.cpp         building the form, signals, the key filter
//   ViewRender.cpp       showing the session's state in the widgets
//   ViewLifecycle.cpp    start-up, shut-down, the files kept safe on disk
//   ViewConnect.cpp      Connect, Disconnect, the channel and receive loop
//   ViewCommands.cpp     run buttons, ID entry, notices, seed and options
//   ViewLoadFile.cpp     Load File...
//   ViewSeedEditor.cpp   Edit Seed Para
class Cvyn8_rk47View : public QWidget {
    Q_OBJECT
public:
    explicit Cvyn8_rk47View(Cvyn8_rk47Doc* doc, QWidget* parent = nullptr);
    ~Cvyn8_rk47View() override;

    Cvyn8_rk47Doc* GetDocument() const { return m_pDoc; }
    QWidget* control(int id) const;
    SampleListModel& list() const { return *m_model; }
    CountSession& session() const { return *m_session; }

    // Start-up and shut-down.
    void OnInitialUpdate();
    // The shut-down steps; runs once, before the window goes away.
    void Shutdown();
    // True when start-up read the inventory (only then is it written back).
    bool InventoryLoaded() const { return m_bInventoryLoaded; }
    // The data folder (ends in '/'); set by start-up, or by a test.
    QString DataFolder() const { return m_strExeFolder; }
    void SetDataFolder(const QString& folder) { m_strExeFolder = folder; }
    // The number of seed sets read.
    int SeedSetCount() const { return m_nSeedSetCount; }
    // The channel to the counter and its receive loop while there are.
    cSerialCom* Channel() const { return m_pSerial; }
    ReceiveLoop* Receiver() const { return m_pRxThread; }
    // Frames received while an earlier one's message box is open.
    size_t FramesWaiting() const { return m_pendingFrames.size(); }
    // The notices while they are open.
    DumDlg35* DumpNotice() const { return m_pDumpDlg; }
    Sample35* SampleReadyNotice() const { return m_pSampleReadyDlg; }

    // The operator's commands.
    void OnConnect();
    void OnDisconnect();
    void OnTotalizeCount();
    void OnBatchCount();
    void OnStart();
    void OnStop();
    void OnZero();
    void OnDump();
    void OnRepeat();
    void OnDone();
    void OnReset();
    void OnIdEnter();
    void OnDelete();
    void OnSelchangeCom();
    void OnSelchangeBaud();
    void OnSelchangeName();
    void OnDeltaposFeedSpeed(int iPos, int iDelta);
    void OnSetCounter();
    // Option > Seed Weight...: the thousand-seed weight for the ID typed.
    void OnSeedWeight();
    SeedWeightStation* SeedWeight() const { return m_pSeedWeight; }
    void OnEditSeedPara();
    void OnLoadFile();

    // Reads the Feed Speed edit as the form's data exchange does: an integer
    // from 10 to 200, or a warning and false.
    bool ExchangeFeedSpeed();
    // Asks before `action` ends a count in progress; true to go on.
    bool MayEndCount(const QString& action);
    // Keeps unsaved records and the inventory on disk as they change; after
    // a save, VYN8_Default.txt no longer holds the saved records.
    void KeepUnsavedWorkSafe();
    // With an inventory ledger the inventory file follows the ledger: it is
    // written once a sample's transactions are kept (KeepInventorySafe), never
    // before, so that a console ended in between leaves the file behind the
    // ledger, where the next start finds it, and never ahead of it.
    void WriteInventoryAfterLedger() { m_bInventoryAfterLedger = true; }
    void KeepInventorySafe();
    // Other counting stations changed these IDs' balances (the lab's
    // server): the inventory takes them and goes to disk. Nothing after the
    // shut-down, which has written the file and let the inventory go.
    void TakeLabBalances(const InventoryMap& balances);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildForm();
    void ConnectSignals();
    void ConnectSession();
    void LayoutControls();
    // Shows the session's form state in the widgets.
    void Render();
    void OpenDumpNotice();
    void OpenSampleReady();
    void DropNotices();
    void ReturnToIdEntry();
    void ScrollTo(int row, bool top);

    // The channel and the receive loop.
    void ReleaseChannel();
    void StartReceiveLoop();
    void StopReceiveLoop();
    void DeliverFrames(const std::vector<QByteArray>& frames);
    void OnLineLost(const QString& reason);
    void ShutdownLink();

    // Files in the data folder.
    void KeepEarlierUnsavedRecords();
    void SaveShutdownFiles();
    bool WriteUnsavedRecords(QString* path, QString* error);
    bool WriteInventoryBack(QString* path, QString* error) const;
    void KeepSafe(bool records, bool inventory);

    Cvyn8_rk47Doc* m_pDoc;
    CountSession* m_session;
    SampleListModel* m_model;
    cSerialCom* m_pSerial = nullptr;
    // The session's way to the channel while there is one.
    std::unique_ptr<CounterPort> m_port;
    ReceiveLoop* m_pRxThread = nullptr;
    DumDlg35* m_pDumpDlg = nullptr;
    Sample35* m_pSampleReadyDlg = nullptr;
    SeedWeightStation* m_pSeedWeight = nullptr;  // made when first asked for
    QString m_strComPort = "COM1";
    QString m_strBaud = "9600";
    QString m_strExeFolder;
    int m_nSeedSetCount = 0;
    bool m_bInventoryLoaded = false;
    bool m_bShutdownDone = false;
    bool m_bSafeKeepFailed = false;
    bool m_bInventoryAfterLedger = false;
    // VYN8_Default.txt was written by this run.
    bool m_bDefaultWritten = false;
    std::deque<QByteArray> m_pendingFrames;
    bool m_bDeliveringFrames = false;
    // Changes whenever a receive loop ends: calls it queued before are dropped.
    unsigned m_nLinkSession = 0;
    // The serials of the session's texts and requests last applied.
    FormState m_shown;

    // ---- controls ----
    QTableView* m_listSamples = nullptr;
    QComboBox* m_comboCom = nullptr;
    QComboBox* m_comboBaud = nullptr;
    QComboBox* m_comboName = nullptr;
    QRadioButton* m_radioTotalize = nullptr;
    QRadioButton* m_radioBatch = nullptr;
    QPushButton* m_btnConnect = nullptr;
    QPushButton* m_btnDisconnect = nullptr;
    QPushButton* m_btnLoadFile = nullptr;
    QPushButton* m_btnStart = nullptr;
    QPushButton* m_btnDump = nullptr;
    QPushButton* m_btnReset = nullptr;
    QPushButton* m_btnStop = nullptr;
    QPushButton* m_btnZero = nullptr;
    QPushButton* m_btnRepeat = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnDone = nullptr;
    QCheckBox* m_chkSameAsPrevious = nullptr;
    QLineEdit* m_editID = nullptr;
    QLineEdit* m_editPackageNo = nullptr;
    QLineEdit* m_editCount = nullptr;
    QLineEdit* m_editBatchNo = nullptr;
    QLineEdit* m_editFeedSpeed = nullptr;
    QLineEdit* m_editGateHor = nullptr;
    QLineEdit* m_editGateVer = nullptr;
    QLineEdit* m_editSensitivity = nullptr;
    UpDownCtrl* m_spinFeedSpeed = nullptr;
    QGroupBox* m_grpDisplay = nullptr;
    QGroupBox* m_grpCountMode = nullptr;
    QGroupBox* m_grpConnectSet = nullptr;
    QGroupBox* m_grpCounterSet = nullptr;
};
