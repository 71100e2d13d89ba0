// ID entry and the rows of the sample list: scans, the Data Input series,
// "Data Same as Previous", a loaded list and its selection by ID, Delete.

#include <algorithm>

#include "data/Cvyn8_rk47Doc.h"
#include "platform/StoredText.h"
#include "session/CountSession.h"
#include "session/SessionStep.h"

int CountSession::SampleRow(int pos) const {
    return pos >= 0 && pos < kSampleRowTable ? m_sampleRows[static_cast<size_t>(pos)] : -1;
}

int CountSession::AppendRow() {
    return m_rows.Append();
}

void CountSession::DeleteLastRows(int n) {
    for (int i = 0; i < n && m_rows.Count() > 0; ++i) {
        m_rows.Remove(m_rows.Count() - 1);
    }
}

void CountSession::DeleteSampleRows(int from) {
    // The rows of a sample stand in ascending order: deleting from the last
    // one keeps the places of those before it.
    int lowest = m_rows.Count();
    for (int k = std::min(m_sampleRowCount, kSampleRowTable) - 1; k >= std::max(from, 0); --k) {
        const int row = SampleRow(k);
        if (row >= 0 && row < m_rows.Count()) {
            m_rows.Remove(row);
            lowest = std::min(lowest, row);
        }
    }
    for (int r = lowest; r < m_rows.Count(); ++r) {
        m_rows.SetCell(r, RowTable::No, QString::number(r + 1));
    }
}

int CountSession::LoadedWindow() const {
    return m_rows.Count() - std::clamp(m_loadedFirstRow, 0, m_rows.Count());
}

bool CountSession::LoadedListDone() const {
    for (int r = m_rows.Count() - LoadedWindow(); r < m_rows.Count(); ++r) {
        if (m_rows.State(r) != RowTable::Counted) {
            return false;
        }
    }
    return true;
}

void CountSession::FillRowStates() {
    const int n = m_sampleRowCount;
    const int c = m_rows.Count();
    for (int j = 0; j < n; ++j) {
        m_rows.SetState(c - n + j, m_drawMode);
        // A loaded list is longer than one sample: its rows are picked into
        // the table by ID later, so only the table's size is filled here.
        if (j < kSampleRowTable) {
            m_sampleRows[static_cast<size_t>(j)] = c - n + j;
        }
    }
}

void CountSession::RedrawMarkedRow() {
    if (m_drawMode == 1) {
        m_rows.SetState(SampleRow(m_markPos), RowTable::Counted);
        m_drawMode = 4;
    } else if (m_drawMode == 3) {
        m_rows.SetState(SampleRow(m_curPacket), RowTable::Current);
        m_drawMode = 4;
    }
}

void CountSession::MarkCurrent() {
    m_drawMode = 3;
    m_markPos = m_curPacket;
    RedrawMarkedRow();
}

// ---- ID entry ----

EntryStep CountSession::ScanId(const QString& text) {
    SessionStep step(this);
    if (!IdEntryOpen()) {
        return EntryStep::Done;  // a sample runs, or there is no link: nothing is entered
    }
    // A scanned ID that the files and the counter cannot carry goes no
    // further; it stays selected, so the next scan replaces it.
    const QString problem = StoredTextProblem("The I.D.(Variety)", text);
    if (!problem.isEmpty()) {
        Tell(problem, kAppTitle, PromptIcon::Warning);
        ++m_form.idSelectSerial;
        return EntryStep::Done;
    }
    // A scan of nothing is not a sample: an Enter that confirmed a choice
    // elsewhere must not start a count.
    if (text.isEmpty()) {
        return EntryStep::Done;
    }
    if (!m_manualList) {
        m_drawMode = 0;
        m_curPacket = 0;
        m_totalPackets = m_sampleRowCount;
        const int found = SelectRowsById(text);
        if (found <= 0) {
            if (found == 0) {
                Tell("No match ID !", kAppTitle);
            }
            m_sampleRowCount = m_totalPackets;
            // The refused text goes, so the next scan is read alone.
            ClearIdEntry();
            return EntryStep::Done;
        }
        m_sampleRowCount = found;
        m_form.start.enabled = true;
        emit scrollTo(SampleRow(0), false);
        Start();
        return EntryStep::Done;
    }
    if (m_form.sameAsPreviousChecked && m_doc->m_nSaveState != RECORDS_SAVED) {
        if (m_curPacket != 0) {
            CopyPreviousSample(text);
            return EntryStep::Done;
        }
        m_form.sameAsPreviousChecked = false;
    }
    StartAfreshIfSaved();
    m_drawMode = 0;
    if (m_mode == CountMode::Batch ||
        (m_mode == CountMode::Totalize && m_options.locationComment)) {
        return EntryStep::AskRows;
    }
    if (RoomForRows(1)) {
        AddSampleRow({text, "0", "1", QString(), QString()});
    }
    EndEntry();
    return EntryStep::Done;
}

bool CountSession::RoomForRows(int adding) {
    // The sample and the list have fixed capacities; rows beyond them are
    // refused as a whole, with a message, before anything is added.
    QString text;
    if (m_sampleRowCount + adding > kMaxSampleRows) {
        text = QStringLiteral("A sample can hold at most %1 rows; this one has %2.")
                   .arg(kMaxSampleRows)
                   .arg(m_sampleRowCount);
    } else if (m_rows.Count() + adding > kMaxListRows) {
        text = QStringLiteral(
                   "The sample list can hold at most %1 rows; it has %2. Save the "
                   "records to start a new list.")
                   .arg(kMaxListRows)
                   .arg(m_rows.Count());
    } else {
        return true;
    }
    Tell(text + " No row was added.", kAppTitle, PromptIcon::Warning);
    return false;
}

void CountSession::AddEntryRow(const EntryRow& entered) {
    SessionStep step(this);
    EntryRow e = entered;
    if (e.id.isEmpty()) {
        e.id = QStringLiteral("12345678");
    }
    if (m_mode == CountMode::Batch) {
        e.packNo = e.packNo.isEmpty() ? QStringLiteral("1") : e.packNo;
        e.numP = e.numP.isEmpty() ? QStringLiteral("20") : e.numP;
    } else {
        e.packNo = "0";
        e.numP = "1";
    }
    AddSampleRow(e);
}

void CountSession::AddSampleRow(const EntryRow& e) {
    const int row = AppendRow();
    const QString cells[] = {e.id, SeedName(), e.packNo, e.numP, e.location, e.comment, QString()};
    for (int c = RowTable::Id; c <= RowTable::Inventory; ++c) {
        m_rows.SetCell(row, c, cells[c - RowTable::Id]);
    }
    m_form.del.enabled = true;
    m_form.start.enabled = true;
    ++m_sampleRowCount;
}

void CountSession::EndEntry() {
    SessionStep step(this);
    FillRowStates();
    emit scrollTo(SampleRow(std::clamp(m_curPacket, 0, kSampleRowTable - 1)), false);
    if (m_mode == CountMode::Totalize) {
        Start();
    } else {
        m_curPacket = 0;
    }
    ClearIdEntry();
}

void CountSession::CopyPreviousSample(const QString& id) {
    const int c = m_rows.Count();
    const int n = std::min(m_curPacket, c);
    if (RoomForRows(n)) {
        for (int i = 0; i < n; ++i) {
            const int from = c + i - n;
            const int row = AppendRow();
            m_rows.SetCell(row, RowTable::Id, id);
            // The copies are counted with the seed set chosen now.
            m_rows.SetCell(row, RowTable::Seed, SeedName());
            for (int col = RowTable::PackNo; col <= RowTable::Comment; ++col) {
                m_rows.SetCell(row, col, m_rows.Cell(from, col));
            }
            m_form.del.enabled = true;
            m_form.start.enabled = true;
            ++m_sampleRowCount;
        }
    }
    m_curPacket = 0;
    FillRowStates();
    ClearIdEntry();
}

bool CountSession::AppendCopiesOfSample(int k) {
    k = std::clamp(k, 0, kMaxSampleRows);
    if (m_rows.Count() + k > kMaxListRows) {
        Tell(QString("The sample list is full: it holds at most %1 rows. "
                     "Save the records and start a new list.")
                 .arg(kMaxListRows),
             kAppTitle, PromptIcon::Warning);
        return false;
    }
    m_curPacket = 0;
    m_sampleRowCount = 0;
    for (int i = 0; i < k; ++i) {
        const int from = SampleRow(i);
        const int row = AppendRow();
        for (int c = RowTable::Id; c <= RowTable::Comment; ++c) {
            m_rows.SetCell(row, c, m_rows.Cell(from, c));
        }
        ++m_sampleRowCount;
    }
    FillRowStates();
    return true;
}

void CountSession::StartAfreshIfSaved() {
    SessionStep step(this);
    Cvyn8_rk47Doc& doc = *m_doc;
    if (doc.m_nSaveState != RECORDS_SAVED) {
        return;
    }
    // The previous records are safe on disk: a new list starts afresh.
    m_rows.Clear();
    m_curPacket = 0;
    m_sampleRowCount = 0;
    doc.DiscardRecords();
    m_currentRecord = {};
    doc.m_nSaveState = RECORDS_UNSAVED;
    HideSameAsPrevious();
}

void CountSession::DiscardUncountedRows() {
    // The current row and those after it; a loaded list keeps its other rows
    // and stays loaded while any of them is left to count.
    DeleteSampleRows(m_curPacket);
    if (!m_manualList && LoadedListDone()) {
        EndLoadedList();
    }
    m_sampleRowCount = 0;
    m_curPacket = 0;
}

void CountSession::PrepareNextBatchEntry() {
    // After a dump of a hand-entered list: ready for the next ID, in Batch
    // Count with "Data Same as Previous" ticked.
    if (m_mode == CountMode::Batch) {
        m_form.stop.visible = true;
        m_form.repeat = {false, false};
        m_form.del.enabled = false;
        m_form.done.enabled = false;
        ShowSameAsPrevious();
        m_form.sameAsPreviousChecked = true;
    }
    m_form.loadFile.enabled = true;
    m_sampleRowCount = 0;
}

void CountSession::EndLoadedList() {
    // Back to a hand-entered list in Totalize Count.
    m_mode = CountMode::Totalize;
    m_manualList = true;
    m_sampleRowCount = 0;
    m_curPacket = 0;
    m_packetsDone = 0;
    m_form.loadFile.enabled = true;
}

bool CountSession::AdvanceLoadedList() {
    // The sample's rows are done; the list ends once none is left to count.
    m_packetsDone += m_sampleRowCount;
    if (LoadedListDone()) {
        UnlockSelection();
        EndLoadedList();
        return true;
    }
    m_sampleRowCount = LoadedWindow();
    return false;
}

int CountSession::SelectRowsById(const QString& id) {
    std::vector<int> matches;
    for (int r = m_rows.Count() - LoadedWindow(); r < m_rows.Count(); ++r) {
        if (m_rows.Cell(r, RowTable::Id) == id && m_rows.State(r) != RowTable::Counted) {
            matches.push_back(r);
        }
    }
    const int found = static_cast<int>(matches.size());
    if (found > kMaxSampleRows) {
        Tell(QStringLiteral("The ID %1 is on %2 rows still to be counted; a sample can hold "
                            "at most %3 rows. Nothing was selected.")
                 .arg(id)
                 .arg(found)
                 .arg(kMaxSampleRows),
             kAppTitle, PromptIcon::Warning);
        return -1;
    }
    for (int j = 0; j < found; ++j) {
        m_sampleRows[static_cast<size_t>(j)] = matches[static_cast<size_t>(j)];
        m_rows.SetState(matches[static_cast<size_t>(j)], RowTable::Selected);
    }
    if (found > 0) {
        const bool totalize = m_rows.Cell(matches.front(), RowTable::PackNo) == "0";
        CheckMode(totalize ? CountMode::Totalize : CountMode::Batch);
        m_mode = totalize ? CountMode::Totalize : CountMode::Batch;
    }
    return found;
}

void CountSession::LoadRows(const std::vector<std::array<QString, RowTable::kColumns>>& rows) {
    SessionStep step(this);
    if (m_manualList) {
        // The sample being entered joins the list, as the loaded rows do.
        m_loadedFirstRow = m_rows.Count() - m_sampleRowCount;
    }
    m_manualList = false;
    for (const auto& cells : rows) {
        const int row = AppendRow();
        for (int c = 1; c < RowTable::kColumns; ++c) {
            m_rows.SetCell(row, c, cells[static_cast<size_t>(c)]);
        }
        ++m_sampleRowCount;
    }
    m_form.focus = FocusTarget::IdEntry;
    ++m_form.focusSerial;
    m_drawMode = 0;
    FillRowStates();
}

void CountSession::LoadFinished() {
    SessionStep step(this);
    m_form.batch.enabled = false;
    m_form.totalize.enabled = false;
    m_form.sameAsPrevious.visible = false;
}
