#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <deque>
#include <vector>

#include "console/SampleListModel.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class UpDownCtrl;
class cParam;
class cSerialCom;
class ReceiveLoop;
class Cvyn8_rk47Doc;
class DumDlg35;
class Sample35;
enum class FrameSender;
enum class SendResult;

// Run states.
constexpr int RUN_COUNTING = 0;
constexpr int RUN_ZEROED = 1;
constexpr int RUN_DUMPED = 2;
constexpr int RUN_STOPPED = 3;
constexpr int RUN_CLOSING = 4;
constexpr int RUN_IDLE = 6;
// Link states.
constexpr int LINK_CONNECTED = 7;
constexpr int LINK_DOWN = 5;

// Capacities of one sample and of the list.
constexpr int kMaxSampleRows = 200;
constexpr int kSampleRowTable = 210;
constexpr int kMaxListRows = 65100;

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
// counter, the sample list on screen and all the state of a count in
// progress. Everything here runs on the user-interface thread; the receive
// loop hands complete frames over as queued calls.
//
// The handlers are split over several .cpp files by concern:
//   ViewForm.cpp         building the form
//   ViewUiState.cpp      the UI-state operations
//   ViewLifecycle.cpp    start-up and shut-down
//   ViewConnect.cpp      Connect, Disconnect, the link's shut-down steps
//   ViewRunControl.cpp   mode buttons, Start, Stop, Zero, Dump, Repeat, Done, Reset
//   ViewCounterEvents.cpp the counter's messages
//   ViewSampleList.cpp   ID entry, rows, row states, Delete
//   ViewResults.cpp      records, incomplete rows, Sample Ready notice
//   ViewSeedSelection.cpp COM/BAUD/Name selection, the spin, Set Counter, Edit Seed Para
//   ViewLoadFile.cpp     Load File...
class Cvyn8_rk47View : public QWidget {
    Q_OBJECT
public:
    explicit Cvyn8_rk47View(Cvyn8_rk47Doc* doc, QWidget* parent = nullptr);
    ~Cvyn8_rk47View() override;

    Cvyn8_rk47Doc* GetDocument() const { return m_pDoc; }
    QWidget* control(int id) const;
    SampleListModel& list() const { return *m_model; }

    // Start-up and shut-down.
    void OnInitialUpdate();
    // The shut-down steps; runs once, before the window goes away.
    void Shutdown();
    // True when start-up read the inventory (only then is it written back).
    bool InventoryLoaded() const { return m_bInventoryLoaded; }

    // UI-state operations.
    void LockLinkSettings();
    void UnlockLinkSettings();
    void LockSelection();
    void UnlockSelection();
    void UnlockRun();
    void LockRun();
    void ClearIdEntry();
    void HideSameAsPrevious();
    void ShowSameAsPrevious();
    int IsSameAsPreviousChecked() const;

    // Connect and disconnect.
    void OnConnect();
    void OnDisconnect();

    // Run control.
    void OnTotalizeCount();
    void OnBatchCount();
    void OnStart();
    void OnStop();
    void OnZero();
    void OnDump();
    void OnRepeat();
    void OnDone();
    void OnReset();
    void CompleteSample();
    void DiscardUncountedRows();

    // Sample list and barcode entry.
    void OnIdEnter();
    void AddSampleFromEntry();
    int SelectRowsById();
    void CopyPreviousSample();
    void FillRowStates();
    void OnDelete();
    // What the original list's custom draw did on the next repaint of the
    // marked row, done at once: mode 1 marks the row at m_nMarkPos counted,
    // mode 3 marks the row at m_nCurPacket current; then mode 4.
    void RedrawMarkedRow();
    // Appends a row at m_nRowCount with "No" = m_nRowCount + 1; returns it.
    int AppendListRow();
    void DeleteLastListRow();
    // After the records were saved, the next ID entry or Load File clears the
    // list and the records and starts a new set of samples.
    void StartAfreshIfSaved();

    // Results.
    void RecordPacket();
    void MarkIncomplete();
    void ShowSampleReady();

    // Seed selection, live feed speed and options.
    void OnSelchangeCom();
    void OnSelchangeBaud();
    void OnSelchangeName();
    void OnDeltaposFeedSpeed(int iPos, int iDelta);
    void OnSetCounter();
    void OnEditSeedPara();
    void ShowSeedSet(int index);

    // Excel sample list.
    void OnLoadFile();

    // ---- what may be entered and sent ----
    // A channel to the counter and the link up.
    bool LinkLive() const;
    // From Start until the sample is closed: counting, zeroed or stopped.
    bool SampleRunning() const;
    // IDs may be entered: a live link and no sample running.
    bool IdEntryOpen() const;
    // Closes the console's notices without carrying on what their closing
    // would (the link has ended).
    void CloseNotices();

    // ---- a loaded sample list ----
    // Deletes the current sample's rows from position `from` on, wherever
    // they stand in the list, and numbers the rows after them again.
    void DeleteSampleRows(int from);
    // The loaded list's rows run from m_nLoadedFirstRow to the list's end,
    // the incomplete rows appended to it included.
    int LoadedWindow() const;
    // No row of the loaded list is left to count.
    bool LoadedListDone() const;
    int m_nLoadedFirstRow = 0;

    // ---- members ----
    cParam* m_pCurrentEntry = nullptr;
    QString m_strFeedSpeed;
    QString m_strGateVer;
    QString m_strGateHor;
    QString m_strSensitivity;
    QString m_strComPort = "COM1";
    QString m_strBaud = "9600";
    QString m_strExeFolder;  // the data folder (ends in '/')
    int m_nRunState = RUN_IDLE;
    int m_nLinkState = LINK_DOWN;
    int m_nDrawMode = 0;
    int m_bManualList = 1;
    std::array<int, kSampleRowTable> m_nSampleRows{};
    QString m_strLastCount = "0";
    QString m_strLastPackNo;
    QString m_strLastCountCopy = "0";
    QString m_szSeedName;
    int m_nCurPacket = 0;
    std::array<int, kMaxSampleRows> m_nRowPackets{};
    std::array<int, kMaxSampleRows> m_nRowSeedsPerPacket{};
    QString m_szGateVer;
    QString m_szGateHor;
    QString m_szSensitivity;
    int m_nSeedSetCount = 0;
    int m_nPacketsDone = 0;
    int m_nDumpResult = 0;
    int m_nSampleRowCount = 0;
    int m_nRowCount = 0;
    int m_nDumpTotal = 0;
    int m_bClosingSample = 0;
    int m_bAutoDumpArmed = 0;
    int m_bOptAutoDump = 1;
    int m_bOptSampleReadyDialog = 1;
    int m_bOptLocationComment = 0;
    int m_nTotalPackets = 0;
    bool m_bBatchMode = false;
    bool m_bTotalizeMode = false;
    Sample35* m_pSampleReadyDlg = nullptr;
    DumDlg35* m_pDumpDlg = nullptr;
    cSerialCom* m_pSerial = nullptr;
    ReceiveLoop* m_pRxThread = nullptr;
    int m_nMarkPos = 0;
    int m_nSeedIndex = 0;
    int m_bSpeedOverride = 0;
    QString m_strBarcode;
    int m_nFeedSpeed = 0;
    QString m_strBatchNo;
    QString m_strPackageNo;
    QString m_strCount;

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

    // The radio button of the count mode: checks one, clears the other.
    void CheckModeRadio(int id);
    // Reads the Feed Speed edit as the form's data exchange does: an integer
    // from 10 to 200, or a warning and false.
    bool ExchangeFeedSpeed();

    // ---- counting: the link, the counter's messages, the feed speed ----
    // Sends one frame; with no channel nothing is sent and the sender goes on
    // as after a skipped write. A failed write has shown the sender's message.
    SendResult SendToCounter(const QByteArray& frame, FrameSender sender);
    // Stops and joins the receive loop, then closes and drops the channel;
    // Connect is usable again.
    void ReleaseChannel();
    void StartReceiveLoop();
    void StopReceiveLoop();
    // The row's own feed speed (its Comment cell), or back to the base speed.
    void SendRowFeedSpeed(int row);
    void RestoreFeedSpeed();
    // Frames from the receive loop, carried out one at a time in arrival
    // order, also when a handler opens a message box.
    void DeliverFrames(const std::vector<QByteArray>& frames);
    void OnCounterFrame(const QByteArray& frame);
    void OnCountFrame(const QString& count, const QString& packNo);
    void OnCounterEvent(const QString& name);
    void OnCounterStart();
    void OnCounterStop();
    void OnCounterEmpty();
    void OnCounterFull();
    void OnCounterRepeat();
    void OnCounterDump();
    void OnCounterDisconnect();
    void OnCounterBatchF();
    void WriteDumpFigures(bool rowCondition);
    // Window raised, pointer on the ID edit's centre, the edit empty and focused.
    void ReturnToIdEntry();
    void StartAutoDumpIfArmed();
    void ArmAutoDump();
    // The rest of Dump once its notice has closed.
    void FinishDump(int result, bool sampleInProgress);
    void OnLineLost(const QString& reason);
    // Keeps unsaved records and the inventory on disk as they change.
    void KeepUnsavedWorkSafe();
    // The controls of a console whose link has ended.
    void ShowDisconnected();
    // Deletes the list's last `n` rows.
    void DeleteLastListRows(int n);
    // Appends copies (columns 1 to 6) of the current sample's first `k` rows
    // and makes them the sample; false (with a message) when the list is full.
    bool AppendCopiesOfSample(int k);
    // After a dump of a hand-entered list: ready for the next ID (in Batch
    // Count with "Data Same as Previous" ticked).
    void PrepareNextBatchEntry();
    // Back to a hand-entered list in Totalize Count once a loaded list is done.
    void EndLoadedList();
    // The list row at position `pos` of the current sample, or -1.
    int SampleRow(int pos) const;
    // Sends a run command; false, with the channel released, when the write
    // failed.
    bool SendRunCommand(const QString& text, FrameSender sender);

    // ---- counts kept whichever way a sample ends ----
    // A Dump sent to the counter and not yet answered by its "Dump". The
    // figures of the answer go where the dump was meant for, whether or not
    // its notice is still open and whatever sample has begun since.
    struct PendingDump {
        bool active = false;
        bool closesSample = false;  // sent while a sample was being counted
        bool totalize = false;
        cParam* entry = nullptr;  // the record the figures go on, or none
        int row = -1;             // the list row that shows them, or -1
        int seriesTotal = 0;      // seeds of the series' finished rows
    };
    PendingDump m_dumpPending;
    // Set while a sample cut off by a lost line, Disconnect or shut-down is
    // closed: nothing was dumped, so the stored inventory is left alone.
    bool m_bCountCutOff = false;
    // A sample whose rows are still being counted (not yet closed or dumped).
    bool SampleBeingCounted() const;
    // Notes the Dump just sent; for a Totalize sample being counted it makes
    // the sample's record at once with the count so far.
    void BeginPendingDump(bool closesSample);
    // The counter's "Dump" answered: its count goes on the dumped sample.
    void WritePendingDumpFigures();
    // The link ended before the answer: the record keeps the series' total.
    void AbandonPendingDump();
    // Closes a sample cut off mid-count as Done would, keeping the stored
    // inventory; ends any pending dump and the series' running total.
    void CloseCutOffSample();
    // Asks before `action` ends a count in progress; true to go on.
    bool MayEndCount(const QString& action);
    // At start-up: VYN8_Default.txt that holds an earlier run's records is
    // kept under a dated name before this run writes its own.
    void KeepEarlierUnsavedRecords();

    std::deque<QByteArray> m_pendingFrames;
    bool m_bDeliveringFrames = false;
    // Changes whenever a receive loop ends: calls it queued before are dropped.
    unsigned m_nLinkSession = 0;
    bool m_bSafeKeepFailed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildForm();
    void ConnectSignals();
    void LayoutControls();
    // Writes the unsaved records and the inventory in the data folder.
    void SaveShutdownFiles();
    // VYN8_Default.txt while records are unsaved, and the inventory when it
    // was read at start-up; each true when written or nothing was due.
    bool WriteUnsavedRecords(QString* path, QString* error) const;
    bool WriteInventoryBack(QString* path, QString* error) const;
    // The link's part of the shut-down: Disconnect to the counter, the
    // receive loop stopped and joined, the port closed.
    void ShutdownLink();

    Cvyn8_rk47Doc* m_pDoc;
    SampleListModel* m_model;
    bool m_bInventoryLoaded = false;
    bool m_bShutdownDone = false;
};
