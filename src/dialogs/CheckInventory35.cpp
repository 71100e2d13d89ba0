#include "dialogs/CheckInventory35.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "dialogs/CorrectInventoryDlg.h"
#include "dialogs/LedgerExportCommand.h"
#include "ledger/Ledger.h"
#include "platform/Prompter.h"

namespace {
constexpr int kSearchLimit = 20;
constexpr int kIdColumn = 1;
}  // namespace

CheckInventory35::CheckInventory35(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Check Inventory");
    auto* label = new QLabel("I.D.(Variety)", this);
    m_editSearch = new QLineEdit(this);
    label->setBuddy(m_editSearch);
    SetControlId(m_editSearch, IDC_SEARCH, "I.D.(Variety)");
    m_editSearch->installEventFilter(this);

    m_listInventory = new QTableWidget(this);
    SetControlId(m_listInventory, IDC_INVENTORY, "Inventory");
    m_listInventory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listInventory->setSelectionMode(QAbstractItemView::NoSelection);
    m_listInventory->verticalHeader()->hide();
    m_listInventory->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    m_listHistory = new QTableWidget(0, kColumns, this);
    SetControlId(m_listHistory, IDC_HISTORY, "History");
    m_listHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listHistory->setSelectionMode(QAbstractItemView::NoSelection);
    m_listHistory->verticalHeader()->hide();
    m_listHistory->setHorizontalHeaderLabels(
        {"Time (UTC)", "Station", "Operator", "Kind", "Before", "After", "Reason", "Source"});
    m_listHistory->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_listHistory->horizontalHeader()->setStretchLastSection(true);
    m_btnCorrect = new QPushButton("Correct...", this);
    SetControlId(m_btnCorrect, IDC_CORRECT, "Correct...");
    m_btnExport = new QPushButton("Export...", this);
    SetControlId(m_btnExport, IDC_EXPORT_HISTORY, "Export...");
    for (QPushButton* b : {m_btnCorrect, m_btnExport}) {
        b->setAutoDefault(false);
        b->setEnabled(false);
    }
    connect(m_btnCorrect, &QPushButton::clicked, this, &CheckInventory35::OnCorrect);
    connect(m_btnExport, &QPushButton::clicked, this, &CheckInventory35::OnExportHistory);
    connect(m_listInventory, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (const QTableWidgetItem* item = m_listInventory->item(row, kIdColumn)) {
            ShowHistory(item->text());
        }
    });

    auto* ok = new QPushButton("OK", this);
    SetControlId(ok, IDOK, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_strSearch = m_editSearch->text();
        OnOK();
    });

    auto* search = new QHBoxLayout;
    search->addWidget(label);
    search->addWidget(m_editSearch, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnCorrect);
    buttons->addWidget(m_btnExport);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(m_listInventory, 1);
    layout->addWidget(m_listHistory, 1);
    layout->addLayout(buttons);
    resize(1040, 640);
}

bool CheckInventory35::OnInitDialog() {
    m_listInventory->setColumnCount(3);
    m_listInventory->setHorizontalHeaderLabels({"No", "Source Barcode", "Inventory"});
    m_listInventory->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int widths[] = {50, 200, 80};
    for (int c = 0; c < 3; ++c) {
        m_listInventory->setColumnWidth(c, widths[c]);
    }
    m_editSearch->setFocus();

    m_nRowCount = m_pDoc ? static_cast<int>(m_pDoc->m_inventory.GetCount()) : 0;
    if (m_nRowCount == 0) {
        Prompt("There is no Inventory !");
        return false;
    }
    m_listInventory->setRowCount(m_nRowCount);
    int k = 0;
    for (const auto& [id, value] : m_pDoc->m_inventory) {
        SetRow(k++, id, value);
    }
    m_editSearch->setMaxLength(kSearchLimit);
    m_editSearch->setEnabled(true);
    return true;
}

bool CheckInventory35::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SearchInventory();
            return true;
        }
    }
    return CDialogBase::eventFilter(watched, event);
}

void CheckInventory35::SearchInventory() {
    m_strSearch = m_editSearch->text();
    const int previous = m_nFoundRow;
    m_nFoundRow = kNoRow;
    if (!m_pDoc || !m_pDoc->m_inventory.Lookup(m_strSearch)) {
        PaintRow(previous, false);
        Prompt("No item in database");
        return;
    }
    for (int row = 0; row < m_nRowCount; ++row) {
        const QTableWidgetItem* item = m_listInventory->item(row, kIdColumn);
        if (item && item->text() == m_strSearch) {
            m_nFoundRow = row;
            break;
        }
    }
    PaintRow(previous, false);
    if (m_nFoundRow == kNoRow) {
        return;
    }
    PaintRow(m_nFoundRow, true);
    ShowHistory(m_strSearch);
    // Show the row after the found one too, so the found row is not the
    // last line at the list's bottom edge.
    const int below = std::min(m_nFoundRow + 1, m_nRowCount - 1);
    m_listInventory->scrollToItem(m_listInventory->item(below, 0));
}

void CheckInventory35::PaintRow(int row, bool highlight) {
    if (row < 0 || row >= m_listInventory->rowCount()) {
        return;
    }
    for (int c = 0; c < m_listInventory->columnCount(); ++c) {
        if (QTableWidgetItem* item = m_listInventory->item(row, c)) {
            item->setForeground(highlight ? QBrush(Qt::white) : QBrush());
            item->setBackground(highlight ? QBrush(Qt::red) : QBrush());
        }
    }
}

void CheckInventory35::ShowHistory(const QString& id) {
    m_strHistoryId = id;
    m_listHistory->setRowCount(0);
    m_btnCorrect->setEnabled(m_pLedger != nullptr);
    m_btnExport->setEnabled(m_pLedger != nullptr);
    if (!m_pLedger) {
        return;
    }
    const std::vector<LedgerEntry> history = m_pLedger->History(id);
    m_listHistory->setRowCount(static_cast<int>(history.size()));
    for (int r = 0; r < static_cast<int>(history.size()); ++r) {
        const LedgerEntry& e = history[static_cast<size_t>(r)];
        const QString cells[kColumns] = {
            e.time,         QString("%1 #%2").arg(e.station).arg(e.sequence),
            e.operatorName, KindName(e.kind),
            e.before,       e.after,
            e.reason,       e.SourceText()};
        for (int c = 0; c < kColumns; ++c) {
            m_listHistory->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
    }
    m_listHistory->resizeColumnsToContents();
    m_listHistory->scrollToBottom();
}

void CheckInventory35::OnCorrect() {
    if (!m_pLedger || !m_pDoc || m_strHistoryId.isEmpty()) {
        return;
    }
    CorrectInventoryDlg dlg(this);
    dlg.m_strId = m_strHistoryId;
    m_pDoc->m_inventory.Lookup(m_strHistoryId, &dlg.m_strBefore);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    const LedgerProblem problem =
        m_pLedger->Correct(m_strHistoryId, dlg.m_strValue, dlg.m_strReason);
    if (problem.kind == LedgerProblem::Kind::Refused) {
        Prompt(problem.detail);
        return;
    }
    m_pDoc->m_inventory.Set(m_strHistoryId, dlg.m_strValue);
    QString error;
    if (!m_strInventoryFile.isEmpty() &&
        !SaveInventoryFile(m_strInventoryFile, m_pDoc->m_inventory, &error)) {
        Prompt(QString("%1 cannot be written: %2").arg(m_strInventoryFile, error), kAppTitle,
               PromptIcon::Error);
    }
    if (problem.IsProblem()) {
        Prompt(problem.Message() +
                   "\nThe correction waits and is kept when the ledger can be "
                   "written again.",
               kAppTitle, PromptIcon::Warning);
    }
    ShowValue(m_strHistoryId, dlg.m_strValue);
    ShowHistory(m_strHistoryId);
}

void CheckInventory35::SetRow(int row, const QString& id, const QString& value) {
    m_listInventory->setItem(row, 0, new QTableWidgetItem(QString::number(row)));
    m_listInventory->setItem(row, kIdColumn, new QTableWidgetItem(id));
    m_listInventory->setItem(row, 2, new QTableWidgetItem(value));
}

void CheckInventory35::ShowValue(const QString& id, const QString& value) {
    for (int row = 0; row < m_listInventory->rowCount(); ++row) {
        const QTableWidgetItem* item = m_listInventory->item(row, kIdColumn);
        if (item && item->text() == id) {
            m_listInventory->item(row, 2)->setText(value);
            return;
        }
    }
    m_nRowCount = m_listInventory->rowCount() + 1;
    m_listInventory->setRowCount(m_nRowCount);
    SetRow(m_nRowCount - 1, id, value);
}

void CheckInventory35::ShowBalances(const InventoryMap& balances) {
    for (const auto& [id, value] : balances) {
        ShowValue(id, value);
    }
    if (!m_strHistoryId.isEmpty() && balances.Lookup(m_strHistoryId)) {
        ShowHistory(m_strHistoryId);
    }
}

void CheckInventory35::OnExportHistory() {
    if (!m_pLedger || m_strHistoryId.isEmpty()) {
        return;
    }
    ExportLedgerInteractively(*m_pLedger, m_strHistoryId, this);
}
