#pragma once

#include <QString>

#include "platform/DialogBase.h"

class QLineEdit;
class QTableWidget;
class Cvyn8_rk47Doc;

// Check Inventory: the whole inventory in the map's order, and a search box
// that finds one sample ID (exact, case-sensitive) and shows its row in white
// on red. Enter in the search box searches; Enter elsewhere presses OK.
class CheckInventory35 : public CDialogBase {
    Q_OBJECT
public:
    enum { IDC_SEARCH = 1045, IDC_INVENTORY = 1046 };
    static constexpr int kNoRow = -1;

    explicit CheckInventory35(QWidget* parent = nullptr);

    Cvyn8_rk47Doc* m_pDoc = nullptr;
    int m_nRowCount = 0;
    int m_nFoundRow = kNoRow;
    QString m_strSearch;
    QTableWidget* m_listInventory = nullptr;
    QLineEdit* m_editSearch = nullptr;

    void SearchInventory();

protected:
    bool OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Paints `row` in white on red, or in the list's own colours.
    void PaintRow(int row, bool highlight);
};
