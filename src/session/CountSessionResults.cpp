// Results: the records of finished rows and closed samples, the incomplete
// row of a series closed early, the dump's figures whenever its answer comes,
// and the one place where a sample's figures become final.

#include <algorithm>
#include <utility>

#include "data/Cvyn8_rk47Doc.h"
#include "platform/NumText.h"
#include "session/CountSession.h"

bool CountSession::PendingDumpClosesThisSample() const {
    return m_dumpPending.active && m_dumpPending.closesSample && m_dumpPending.sample == m_sample;
}

bool CountSession::SampleBeingCounted() const {
    return SampleRunning() && m_curPacket < m_sampleRowCount && !PendingDumpClosesThisSample();
}

bool CountSession::DumpAwaited() const {
    return PendingDumpClosesThisSample() && m_dumpNoticeOpen;
}

cParam* CountSession::Record(const RecordRef& ref) const {
    const Cvyn8_rk47Doc& doc = *m_doc;
    if (ref.index < 0 || ref.index >= doc.RecordCount() || ref.generation != doc.m_nGeneration) {
        return nullptr;
    }
    return doc.m_records[static_cast<size_t>(ref.index)].get();
}

cParam* CountSession::AddRecord(const QString& id, const QString& seed, const QString& numP,
                                const QString& packNo, const QString& location,
                                const QString& comment) {
    cParam* rec = m_doc->AddRecord(id);
    rec->m_strSeed = seed;
    rec->m_strNumPerPacket = numP;
    rec->m_strPackNo = packNo;
    rec->m_strLocation = location;
    rec->m_strComment = comment;
    m_currentRecord = {static_cast<int>(m_doc->RecordCount() - 1), m_doc->m_nGeneration};
    m_final.recordIndices.push_back(m_currentRecord.index);
    RecordsTouched();
    return rec;
}

void CountSession::SetInventory(const RecordRef& ref, const QString& value,
                                InventoryChangeKind kind) {
    cParam* rec = Record(ref);
    if (!rec) {
        return;
    }
    QString before;
    m_doc->m_inventory.Lookup(rec->m_strIdBarcode, &before);
    rec->m_strInventory = value;
    m_doc->m_inventory.Set(rec->m_strIdBarcode, value);
    m_final.inventory.push_back({rec->m_strIdBarcode, kind, before, value, ref.index});
}

void CountSession::RecordsTouched() {
    // A record made or completed by counting is unsaved work, whatever was
    // saved or opened before it.
    Cvyn8_rk47Doc& doc = *m_doc;
    if (doc.m_nSaveState == RECORDS_SAVED) {
        doc.m_nSaveState = RECORDS_UNSAVED;
    }
    if (doc.m_nOpenState == RECORDS_OPENED) {
        doc.m_nOpenState = RECORDS_NOT_OPENED;
    }
}

void CountSession::MakeFinal() {
    if (m_final.recordIndices.empty() && m_final.inventory.empty()) {
        return;
    }
    const FinalFigures figures = std::exchange(m_final, FinalFigures{});
    emit figuresFinal(figures);
}

int CountSession::CurrentRowOfSample() const {
    // The list row of the packet being counted, or -1 when the sample has no
    // such row (the series has already run to its end).
    if (m_curPacket < 0 || m_curPacket >= m_sampleRowCount || m_curPacket >= kSampleRowTable) {
        return -1;
    }
    const int r = SampleRow(m_curPacket);
    return r >= 0 && r < m_rows.Count() ? r : -1;
}

void CountSession::RecordPacket(bool cutOff) {
    const int r = CurrentRowOfSample();
    if (r < 0) {
        return;
    }
    const QString id = m_rows.Cell(r, RowTable::Id);
    const QString seed = m_rows.Cell(r, RowTable::Seed);
    const QString packNo = m_rows.Cell(r, RowTable::PackNo);
    const QString numP = m_rows.Cell(r, RowTable::NumP);
    const QString location = m_rows.Cell(r, RowTable::Location);
    const QString comment = m_rows.Cell(r, RowTable::Comment);
    if (m_mode == CountMode::Totalize) {
        cParam* rec = AddRecord(id, seed, m_lastCount, packNo, location, comment);
        rec->m_strTotalQuantity = m_lastCount;
        // A count cut off without a dump says nothing of what is left: the
        // stored inventory stays as it was.
        if (!cutOff) {
            SetInventory(m_currentRecord, m_lastCount, InventoryChangeKind::CountResult);
        }
    } else if (m_mode == CountMode::Batch) {
        // A finished row: inventory and total come with the dump.
        m_dumpTotal += WToI(packNo) * WToI(numP);
        AddRecord(id, seed, numP, packNo, location, comment);
    } else {
        return;
    }
    emit recordsChanged();
}

int CountSession::CloseRowEarly(bool cutOff, bool forDump) {
    const int r = CurrentRowOfSample();
    if (r < 0) {
        return -1;
    }
    const QString id = m_rows.Cell(r, RowTable::Id);
    const QString seed = m_rows.Cell(r, RowTable::Seed);
    const QString numP = m_rows.Cell(r, RowTable::NumP);
    const QString location = m_rows.Cell(r, RowTable::Location);
    // The packets the counter reported finished in this row, and the seeds
    // of the one it was filling.
    const int finished = std::max(WToI(m_packetNo), 1) - 1;
    const QString seeds = QString::number(std::max(WToI(m_packetCount), 0));
    if (finished > 0) {
        AddRecord(id, seed, numP, QString::number(finished), location,
                  m_rows.Cell(r, RowTable::Comment));
        m_dumpTotal += finished * WToI(numP);
    }
    cParam* rec = AddRecord(id, seed, seeds, "1", location, "InComplete");
    m_dumpTotal += WToI(seeds);
    rec->m_strTotalQuantity = QString::number(m_dumpTotal);
    if (!forDump) {
        if (!cutOff) {
            SetInventory(m_currentRecord, "0", InventoryChangeKind::IncompletePacket);
        }
        // The series is closed: its total must not carry into the next one.
        m_dumpTotal = 0;
    }
    emit recordsChanged();
    return MarkIncomplete();
}

int CountSession::MarkIncomplete() {
    if (CurrentRowOfSample() < 0) {
        return -1;
    }
    // The rows of the series after the current one were never counted.
    while (m_curPacket < m_sampleRowCount - 1) {
        m_rows.Remove(SampleRow(m_sampleRowCount - 1));
        --m_sampleRowCount;
        --m_totalPackets;
    }
    const int c = SampleRow(m_sampleRowCount - 1);
    const int packet = std::max(WToI(m_packetNo), 1);
    const QString seeds = QString::number(std::max(WToI(m_packetCount), 0));
    if (packet == 1) {
        m_rows.SetCell(c, RowTable::PackNo, "1");
        m_rows.SetCell(c, RowTable::NumP, seeds);
        m_rows.SetCell(c, RowTable::Comment, "InComplete");
        return c;
    }
    m_rows.SetCell(c, RowTable::PackNo, QString::number(packet - 1));
    // The unfinished packet gets a row of its own, counted, after the list.
    const int row = AppendRow();
    for (int col : {RowTable::Id, RowTable::Seed, RowTable::Location}) {
        m_rows.SetCell(row, col, m_rows.Cell(c, col));
    }
    m_rows.SetCell(row, RowTable::PackNo, "1");
    m_rows.SetCell(row, RowTable::NumP, seeds);
    m_rows.SetCell(row, RowTable::Comment, "incomplete");
    m_rows.SetState(row, RowTable::Counted);
    return row;
}

void CountSession::CompleteSample(bool cutOff) {
    m_run = RunState::Closing;
    m_closingSample = true;
    LockRun();
    UnlockSelection();
    if (m_mode == CountMode::Totalize) {
        RecordPacket(cutOff);
    } else if (m_mode == CountMode::Batch) {
        CloseRowEarly(cutOff, false);
    }
    m_form.dump.enabled = true;
    if (m_mode == CountMode::Totalize) {
        CheckMode(CountMode::Totalize);
        const int row = SampleRow(m_markPos);
        m_rows.SetCell(row, RowTable::PackNo, "0");
        m_rows.SetCell(row, RowTable::Inventory, cutOff ? QString() : m_lastCount);
        m_rows.SetCell(row, RowTable::Sum, m_lastCount);
        m_rows.SetState(SampleRow(0), RowTable::Counted);
        m_drawMode = 1;
        m_markPos = m_curPacket;
        RedrawMarkedRow();
        m_form.loadFile.enabled = true;
        ClearIdEntry();
        m_curPacket = 0;
        m_sampleRowCount = 0;
        m_totalPackets = 0;
        m_markPos = 0;
        m_batchNo.clear();
    } else {
        CheckMode(CountMode::Batch);
        m_markPos = m_curPacket;
        m_drawMode = 1;
        RedrawMarkedRow();
    }
    if (m_manualList) {
        m_sampleRowCount = 0;
        m_form.loadFile.enabled = true;
    } else if (AdvanceLoadedList()) {
        m_form.countModeGroup.enabled = true;
        CheckMode(CountMode::Totalize);
    }
    m_curPacket = 0;
    m_batchNo.clear();
    ClearIdEntry();
    m_closingSample = false;
    m_programmed = false;
    MakeFinal();
}

void CountSession::BeginPendingDump(bool closesSample) {
    m_dumpPending = {};
    m_dumpPending.active = true;
    m_dumpPending.closesSample = closesSample;
    m_dumpPending.sample = m_sample;
    if (!closesSample) {
        return;
    }
    if (m_mode == CountMode::Totalize) {
        // The record is made now with the count so far; the answer completes
        // it. Until then the stored inventory is not touched.
        RecordPacket(true);
        m_dumpPending.totalize = true;
        m_dumpPending.row = SampleRow(0);
    } else if (CurrentRowOfSample() >= 0) {
        // Dumped in the middle of a row: what the row counted is recorded now,
        // the left-over comes with the answer.
        m_dumpPending.row = CloseRowEarly(false, true);
        m_markPos = m_curPacket;
        m_drawMode = 1;
        RedrawMarkedRow();
    } else if (m_curPacket >= 1) {
        m_dumpPending.row = SampleRow(m_curPacket - 1);
    }
    m_dumpPending.record = m_currentRecord;
    // The dump ends the series: its total travels with the dump.
    m_dumpPending.seriesTotal = m_dumpTotal;
    m_dumpTotal = 0;
}

void CountSession::WritePendingDumpFigures(const QString& count) {
    const PendingDump dump = std::exchange(m_dumpPending, PendingDump{});
    cParam* rec = Record(dump.record);
    if (!rec) {
        return;
    }
    const QString left = QString::number(std::max(WToI(count), 0));
    const QString total = QString::number(dump.seriesTotal + WToI(left));
    const bool rowShown = dump.row >= 0 && dump.row < m_rows.Count() &&
                          m_rows.Cell(dump.row, RowTable::Id) == rec->m_strIdBarcode;
    if (dump.totalize) {
        // Every seed of the sample went through the counter: the dump's count
        // is the sample's count.
        rec->m_strNumPerPacket = left;
        if (rowShown) {
            m_rows.SetCell(dump.row, RowTable::NumP, left);
        }
    }
    SetInventory(dump.record, left, InventoryChangeKind::DumpResult);
    rec->m_strTotalQuantity = total;
    if (rowShown) {
        m_rows.SetCell(dump.row, RowTable::Inventory, left);
        m_rows.SetCell(dump.row, RowTable::Sum, total);
    }
    if (std::find(m_final.recordIndices.begin(), m_final.recordIndices.end(), dump.record.index) ==
        m_final.recordIndices.end()) {
        m_final.recordIndices.push_back(dump.record.index);
    }
    RecordsTouched();
    emit recordsChanged();
    MakeFinal();
}

void CountSession::AbandonPendingDump() {
    const PendingDump dump = std::exchange(m_dumpPending, PendingDump{});
    cParam* rec = Record(dump.record);
    if (!rec || !rec->m_strTotalQuantity.isEmpty()) {
        return;
    }
    // What is left in the machine is not known; what went into packets is.
    const QString total = QString::number(dump.seriesTotal);
    rec->m_strTotalQuantity = total;
    if (dump.row >= 0 && dump.row < m_rows.Count()) {
        m_rows.SetCell(dump.row, RowTable::Sum, total);
    }
    RecordsTouched();
    emit recordsChanged();
}

void CountSession::CloseCutOffSample() {
    // A sample whose dump is awaited was closed by that dump already.
    const bool closedByDump = PendingDumpClosesThisSample();
    if (!closedByDump && SampleBeingCounted()) {
        CompleteSample(true);
    } else if (!closedByDump && m_mode == CountMode::Batch && m_sampleRowCount > 0 &&
               m_curPacket == m_sampleRowCount &&
               (m_run == RunState::Counting || m_run == RunState::Stopped)) {
        // Every row was counted and the dump never came: the last record
        // gets the series' total as a dump would leave it, without the dump.
        BeginPendingDump(true);
    }
    AbandonPendingDump();
    m_dumpTotal = 0;
    MakeFinal();
}
