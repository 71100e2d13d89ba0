#include "dialogs/SeedWeightsDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/SeedWeightFile.h"
#include "data/SeedWeightReport.h"
#include "dialogs/PrintDialog.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

SeedWeightsDlg::SeedWeightsDlg(const QString& file, QWidget* parent)
    : CDialogBase(parent), m_strFile(file) {
    setWindowTitle("Seed Weights");
    m_list = new QTableWidget(0, static_cast<int>(SeedWeightColumns().size()), this);
    SetControlId(m_list, IDC_SWS_LIST, "Seed weights");
    m_list->setHorizontalHeaderLabels(SeedWeightColumns());
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* csv = new QPushButton("Export CSV...", this);
    SetControlId(csv, IDC_SWS_CSV, "Export CSV");
    auto* xlsx = new QPushButton("Export Excel...", this);
    SetControlId(xlsx, IDC_SWS_XLSX, "Export Excel");
    auto* print = new QPushButton("Print...", this);
    SetControlId(print, IDC_SWS_PRINT, "Print");
    auto* close = new QPushButton("Close", this);
    SetControlId(close, IDCANCEL, "Close");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(csv);
    buttons->addWidget(xlsx);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(900, 420);

    connect(csv, &QPushButton::clicked, this, [this] { OnExport(false); });
    connect(xlsx, &QPushButton::clicked, this, [this] { OnExport(true); });
    connect(print, &QPushButton::clicked, this, [this] { OnPrint(); });
    connect(close, &QPushButton::clicked, this, [this] { OnCancel(); });
}

bool SeedWeightsDlg::OnInitDialog() {
    QString error;
    if (!ReadSeedWeights(m_strFile, &m_rows, &error)) {
        Prompt(error, kAppTitle, PromptIcon::Error);
    }
    m_list->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        for (int c = 0; c < m_rows[r].size(); ++c) {
            m_list->setItem(r, c, new QTableWidgetItem(m_rows[r][c]));
        }
    }
    m_list->resizeColumnsToContents();
    if (!m_rows.empty()) {
        m_list->selectRow(static_cast<int>(m_rows.size()) - 1);
    }
    return true;
}

void SeedWeightsDlg::OnExport(bool xlsx) {
    if (m_rows.empty()) {
        Prompt("No determination has been kept yet.", kAppTitle, PromptIcon::Information);
        return;
    }
    FileDialogRequest request;
    request.save = true;
    request.filter = xlsx ? "Excel workbook (*.xlsx)" : "CSV (*.csv)";
    request.defaultExt = xlsx ? "xlsx" : "csv";
    request.initialName = xlsx ? "seed_weights.xlsx" : "seed_weights.csv";
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return;
    }
    QString error;
    const bool ok = xlsx ? WriteSeedWeightsXlsx(path, m_rows, &error)
                         : WriteSeedWeightsCsv(path, m_rows, &error);
    if (!ok) {
        Prompt(QString("%1 was not written: %2").arg(path, error), kAppTitle, PromptIcon::Error);
    }
}

void SeedWeightsDlg::OnPrint() {
    const auto rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        Prompt("Choose the determination to print.", kAppTitle, PromptIcon::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(printer)) {
        return;
    }
    if (!PaintSeedWeightReport(printer, m_rows[static_cast<size_t>(rows.first().row())])) {
        Prompt("The report could not be printed.", kAppTitle, PromptIcon::Error);
    }
}
