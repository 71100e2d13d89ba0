#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/DialogBase.h"

class QTableWidget;

// Seed Weights: the determinations kept in vyn8_seed_weights.txt, with CSV
// and .xlsx export and the printed report of the selected one.
class SeedWeightsDlg : public CDialogBase {
    Q_OBJECT
public:
    enum Control {
        IDC_SWS_LIST = 1220,
        IDC_SWS_CSV = 1221,
        IDC_SWS_XLSX = 1222,
        IDC_SWS_PRINT = 1223,
    };

    explicit SeedWeightsDlg(const QString& file, QWidget* parent = nullptr);

    const std::vector<QStringList>& Rows() const { return m_rows; }
    void OnExport(bool xlsx);
    void OnPrint();

protected:
    bool OnInitDialog() override;

private:
    QString m_strFile;
    std::vector<QStringList> m_rows;
    QTableWidget* m_list = nullptr;
};
