#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <vector>

#include "data/InventoryChange.h"
#include "platform/Prompter.h"
#include "session/FormState.h"
#include "session/RowTable.h"

class Cvyn8_rk47Doc;
class cParam;
class CounterPort;
enum class FrameSender;
enum class SendResult;
namespace frames {
struct CounterMessage;
}

// Capacities of one sample and of the list.
constexpr int kMaxSampleRows = 200;
constexpr int kSampleRowTable = 210;
constexpr int kMaxListRows = 65100;

enum class RunState { Counting, Zeroed, Dumped, Stopped, Closing, Idle };
enum class CountMode { None, Totalize, Batch };

// One row of the Data Input series, as the operator entered it.
struct EntryRow {
    QString id;
    QString packNo;
    QString numP;
    QString location;
    QString comment;
};

// What ID entry needs of the form after a scan: nothing more, or the Data
// Input series (AddEntryRow for each row, then EndEntry).
enum class EntryStep { Done, AskRows };

// The console's counting rules and state: the run, the sample list, the
// loaded list, the series and dump totals, the pending dump. Its inputs are
// the operator's commands and the counter's messages; it writes frames
// through a CounterPort, records and inventory into the document, and tells
// the form what to show. Everything runs on the user-interface thread.
class CountSession : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool sampleReadyNotice = true;
        bool autoDump = true;
        bool locationComment = false;
    };

    explicit CountSession(Cvyn8_rk47Doc* doc, QObject* parent = nullptr);
    ~CountSession() override;

    // ---- the link ----
    // A channel opened and the handshake done: connected and idle, the list
    // and the records cleared.
    void LinkEstablished(CounterPort* port);
    // Disconnect by the operator: the sample cut off, "Disconnect" sent; false
    // when it could not be written (the link has ended).
    bool Disconnect();
    // The channel closed by its owner; nothing is sent after this.
    void PortReleased();
    // The line is gone (a failed write or read): the sample is closed with
    // what was counted, the form shows the console disconnected.
    void LineLost(const QString& reason);
    // The program closes: a count still running is closed as on a lost line.
    void Shutdown();
    // After an operator's Disconnect has closed the port.
    void Disconnected();
    // Notices closed without carrying on (the link or the program ended).
    void LinkClosed();
    // The link could not be used after all: the form shows it disconnected.
    void LinkFailed();
    // The form as a new console shows it, the seed set `0` chosen.
    void StartUp();

    // ---- the operator ----
    void ChooseTotalize();
    void ChooseBatch();
    EntryStep ScanId(const QString& text);
    // Room for `adding` more rows in the sample and the list; otherwise the
    // operator is told and false.
    bool RoomForRows(int adding);
    void AddEntryRow(const EntryRow& row);
    void EndEntry();
    // Rows of a loaded sheet (cells 1 to 8 of each) join the list.
    // Load File: after saved records the list starts afresh; then the rows
    // of a sheet (cells 1 to 8 of each) join the list; then the form as a
    // load leaves it, whether it loaded or not.
    void StartAfreshIfSaved();
    void LoadRows(const std::vector<std::array<QString, RowTable::kColumns>>& rows);
    void LoadFinished();
    void SetSameAsPrevious(bool checked);
    void Start();
    void Stop();
    void Zero();
    void Dump();
    void Repeat();
    void Done();
    void Reset();
    void Delete();
    void ChooseSeed(int index);
    // The seed set shown again (start-up, the seed editor), and the spin.
    void ShowSeedSet(int index);
    void FeedSpeedStep(int position);
    void FeedSpeedTyped(const QString& text);
    void FeedSpeedAccepted(int value) { m_feedSpeed = value; }
    void SetOptions(const Options& options);
    // The form's notices, closed by the operator or by the counter.
    void DumpNoticeClosed();
    void SampleReadyClosed();

    // ---- the counter ----
    void CounterMessage(const frames::CounterMessage& message);

    // ---- state ----
    const FormState& Form() const { return m_form; }
    const RowTable& Rows() const { return m_rows; }
    RowTable& Rows() { return m_rows; }
    RunState Run() const { return m_run; }
    CountMode Mode() const { return m_mode; }
    const Options& Opts() const { return m_options; }
    bool LinkLive() const;
    // From Start until the sample is closed: counting, zeroed or stopped.
    bool SampleRunning() const;
    // A sample whose rows are still being counted (not yet closed or dumped).
    bool SampleBeingCounted() const;
    // A dump sent for the sample being counted, not yet answered.
    bool DumpAwaited() const;
    // IDs may be entered: a live link and no sample running.
    bool IdEntryOpen() const;
    bool LoadedList() const { return !m_manualList; }
    int SampleRowCount() const { return m_sampleRowCount; }
    int CurrentPacket() const { return m_curPacket; }
    // The list row at position `pos` of the current sample, or -1.
    int SampleRow(int pos) const;
    QString LastCount() const { return m_lastCount; }
    QString LastPackNo() const { return m_lastPackNo; }
    bool AutoDumpArmed() const { return m_autoDumpArmed; }
    int SeedIndex() const { return m_seedIndex; }
    int FeedSpeed() const { return m_feedSpeed; }
    bool DumpNoticeOpen() const { return m_dumpNoticeOpen; }
    bool SampleReadyShown() const { return m_sampleReadyShown; }
    int DumpTotal() const { return m_dumpTotal; }

signals:
    // The form should show Form() again.
    void changed();
    // A message for the operator (OK only).
    void message(const PromptRequest& request);
    void openDumpNotice();
    void closeDumpNotice();
    void openSampleReady();
    void closeSampleReady();
    // Both notices closed without carrying on what their closing would.
    void dropNotices();
    // Window raised and the pointer on the ID edit, for the next scan.
    void returnToIdEntry();
    void scrollTo(int row, bool top);
    // A record was added or changed, or the inventory: keep unsaved work safe.
    void recordsChanged();
    // The one place where a sample's figures become final.
    void figuresFinal(const FinalFigures& figures);
    // The channel must be released: a write failed, or the counter ended the link.
    void releaseChannel();
    // The counter said "Disconnect": stop receiving, keep the port.
    void counterDisconnected();

private:
    friend class SessionStep;
    // A record of the document, by index, valid while the records it was
    // made among have not been discarded.
    struct RecordRef {
        int index = -1;
        unsigned generation = 0;
    };
    struct PendingDump {
        bool active = false;
        bool closesSample = false;  // sent while a sample was being counted
        bool totalize = false;
        RecordRef record;     // the record the figures go on, or none
        int row = -1;         // the list row that shows them, or -1
        int seriesTotal = 0;  // seeds of the series' finished packets
        unsigned sample = 0;  // the sample it was sent for
    };

    // Frames.
    SendResult SendToCounter(const QByteArray& frame, FrameSender sender);
    bool SendRunCommand(const QString& text, FrameSender sender);
    void SendRowFeedSpeed(int row);
    void RestoreFeedSpeed();
    void Tell(const QString& text, const QString& caption, PromptIcon icon = PromptIcon::None);

    // Form operations.
    void LockLinkSettings();
    void UnlockLinkSettings();
    void LockSelection();
    void UnlockSelection();
    void UnlockRun();
    void LockRun();
    void ClearIdEntry();
    void HideSameAsPrevious();
    void ShowSameAsPrevious();
    void CheckMode(CountMode mode);
    void ShowDisconnected();
    void CloseNotices();
    void ShowPackNo(const QString& text);
    void ShowCount(const QString& text);
    void ShowBatchNo(const QString& text);

    // Rows.
    int AppendRow();
    void DeleteLastRows(int n);
    void DeleteSampleRows(int from);
    void FillRowStates();
    // Marks the row at m_markPos counted (draw mode 1) or the row being
    // counted current (draw mode 3), at once.
    void RedrawMarkedRow();
    void MarkCurrent();
    int LoadedWindow() const;
    bool LoadedListDone() const;
    int SelectRowsById(const QString& id);
    void AddSampleRow(const EntryRow& row);
    void CopyPreviousSample(const QString& id);
    bool AppendCopiesOfSample(int k);
    void DiscardUncountedRows();
    void PrepareNextBatchEntry();
    void EndLoadedList();
    QString SeedName() const;

    // Counter messages.
    void OnCountFrame(const QString& count, const QString& packNo);
    void OnCounterStart();
    void OnCounterStop();
    void OnCounterEmpty();
    void OnCounterFull();
    void OnCounterRepeat();
    void OnCounterDump();
    void OnCounterDisconnect();
    void OnCounterBatchF();
    void ArmAutoDump();
    void StartAutoDumpIfArmed();
    void FinishDump(bool sampleInProgress);

    // Results.
    cParam* Record(const RecordRef& ref) const;
    cParam* AddRecord(const QString& id, const QString& seed, const QString& numP,
                      const QString& packNo, const QString& location, const QString& comment);
    void SetInventory(const RecordRef& ref, const QString& value, InventoryChangeKind kind);
    int CurrentRowOfSample() const;
    void RecordPacket(bool cutOff);
    // Closes the row being counted before its end: its finished packets and
    // the seeds of the unfinished one are recorded; returns the list row that
    // shows the unfinished packet, or -1.
    int CloseRowEarly(bool cutOff, bool forDump);
    int MarkIncomplete();
    bool PendingDumpClosesThisSample() const;
    bool AdvanceLoadedList();
    void CompleteSample(bool cutOff);
    void BeginPendingDump(bool closesSample);
    void WritePendingDumpFigures(const QString& count);
    void AbandonPendingDump();
    void CloseCutOffSample();
    void MakeFinal();
    void RecordsTouched();

    Cvyn8_rk47Doc* m_doc;
    CounterPort* m_port = nullptr;
    bool m_linkUp = false;
    RowTable m_rows;
    FormState m_form;
    Options m_options;

    RunState m_run = RunState::Idle;
    CountMode m_mode = CountMode::Totalize;
    bool m_manualList = true;
    std::array<int, kSampleRowTable> m_sampleRows{};
    int m_sampleRowCount = 0;
    int m_curPacket = 0;
    int m_totalPackets = 0;
    int m_packetsDone = 0;
    int m_loadedFirstRow = 0;
    int m_drawMode = 0;
    int m_markPos = 0;
    bool m_closingSample = false;
    // What the counter last reported for the row being counted.
    QString m_lastCount = "0";
    QString m_lastPackNo;
    // The count before the last count frame: a late dump answer gives it back.
    QString m_countBefore = "0";
    QString m_packNoBefore;
    QString m_batchNo;
    int m_dumpTotal = 0;
    bool m_autoDumpArmed = false;
    bool m_dumpNoticeOpen = false;
    bool m_sampleReadyShown = false;
    // From the program frame until the sample is closed: what the counter's
    // own Start may resume.
    bool m_programmed = false;
    // Counts samples started; a dump answer knows which it belongs to.
    unsigned m_sample = 0;
    // Changes whenever the link ends: a queued automatic dump of an older
    // link does nothing.
    unsigned m_linkGeneration = 0;
    PendingDump m_dumpPending;
    RecordRef m_currentRecord;
    // The Dump notice was opened for a sample in progress.
    bool m_dumpForSample = false;
    // The last count frame, whichever sample it belongs to, and whether it
    // moved the figures of the sample being counted.
    QString m_frameCount = "0";
    bool m_frameMovedSample = false;
    // What the counter last reported for the packet being filled in Batch
    // Count: its seeds and its number in the row (dump counts excluded).
    QString m_packetCount = "0";
    QString m_packetNo = "1";
    QString m_packetNoBefore = "1";
    QString m_packetCountBefore = "0";
    QString m_feedSpeedEdit;  // the Feed Speed edit as typed or shown

    int m_seedIndex = 0;
    QString m_feedSpeedText;  // the seed set's speed, as sent with the program
    QString m_gateHor, m_gateVer, m_sensitivity;
    int m_feedSpeed = 0;
    bool m_speedOverride = false;

    FinalFigures m_final;
    int m_depth = 0;
};
