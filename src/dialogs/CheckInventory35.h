#pragma once

#include <QString>

#include "platform/DialogBase.h"

class QLineEdit;
class QTableWidget;
class Cvyn8_rk47Doc;
class InventoryMap;
class Ledger;
class QPushButton;

// Check Inventory: the whole inventory in the map's order, and a search box
// that finds one sample ID (exact, case-sensitive) and shows its row in white
// on red. Enter in the search box searches; Enter elsewhere presses OK.
// With a ledger, the ID found or clicked shows its history below; Correct...
// sets its inventory with a reason and Export... writes its history.
class CheckInventory35 : public CDialogBase {
    Q_OBJECT
public:
    enum {
        IDC_SEARCH = 1045,
        IDC_INVENTORY = 1046,
        IDC_HISTORY = 1047,
        IDC_CORRECT = 1048,
        IDC_EXPORT_HISTORY = 1049,
    };
    // The history's columns.
    enum { kTime, kStation, kOperator, kKind, kBefore, kAfter, kReason, kSource, kColumns };
    static constexpr int kNoRow = -1;

    explicit CheckInventory35(QWidget* parent = nullptr);

    Cvyn8_rk47Doc* m_pDoc = nullptr;
    Ledger* m_pLedger = nullptr;
    // Where the inventory file is written after a correction.
    QString m_strInventoryFile;
    QString m_strHistoryId;  // the ID whose history is shown
    int m_nRowCount = 0;
    int m_nFoundRow = kNoRow;
    QString m_strSearch;
    QTableWidget* m_listInventory = nullptr;
    QLineEdit* m_editSearch = nullptr;
    QTableWidget* m_listHistory = nullptr;

    void SearchInventory();
    void ShowHistory(const QString& id);
    // Other stations' counts came while the dialog is open: their rows show
    // the new balances (new IDs at the end), and the history shown follows.
    void ShowBalances(const InventoryMap& balances);
    void OnCorrect();
    void OnExportHistory();

protected:
    bool OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Paints `row` in white on red, or in the list's own colours.
    void PaintRow(int row, bool highlight);
    void SetRow(int row, const QString& id, const QString& value);
    // Shows `value` in `id`'s row, added when the list has none.
    void ShowValue(const QString& id, const QString& value);

    QPushButton* m_btnCorrect = nullptr;
    QPushButton* m_btnExport = nullptr;
};
