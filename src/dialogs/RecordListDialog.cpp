#include "dialogs/RecordListDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/PrintDialog.h"

namespace {
const int kColumnWidths[] = {30, 150, 80, 80, 80, 80, 80, 80, 80};
}

RecordListDialog::RecordListDialog(const Look& look, QWidget* parent)
    : CDialogBase(parent), m_look(look) {
    setWindowTitle(look.caption);
    m_listRecords = new QTableWidget(this);
    SetControlId(m_listRecords, look.listId, look.caption);
    m_listRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listRecords->verticalHeader()->hide();
    m_listRecords->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_listRecords->setWordWrap(false);

    auto* print = new QPushButton("Print", this);
    SetControlId(print, look.printId, "Print");
    connect(print, &QPushButton::clicked, this, &RecordListDialog::OnPrint);
    m_btnClose = new QPushButton(look.closeText, this);
    SetControlId(m_btnClose, IDCANCEL, look.closeText);
    connect(m_btnClose, &QPushButton::clicked, this, [this] { OnCancel(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_listRecords, 1);
    layout->addLayout(buttons);
    setTabOrder(m_btnClose, m_listRecords);
    setTabOrder(m_listRecords, print);
    resize(look.size);
}

bool RecordListDialog::OnInitDialog() {
    m_listRecords->setColumnCount(m_look.columnTitles.size());
    m_listRecords->setHorizontalHeaderLabels(m_look.columnTitles);
    m_listRecords->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < m_listRecords->columnCount(); ++c) {
        m_listRecords->setColumnWidth(c, kColumnWidths[c]);
    }
    FillRecordList();
    m_btnClose->setFocus();
    return true;
}

void RecordListDialog::FillRecordList() {
    m_listRecords->setRowCount(0);
    if (!m_pDoc) {
        return;
    }
    const int n = static_cast<int>(m_pDoc->RecordCount());
    m_listRecords->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const auto fields = m_pDoc->m_records[static_cast<size_t>(i)]->RecordOrder();
        m_listRecords->setItem(i, 0,
                               new QTableWidgetItem(QString::number(i + m_look.firstRowNumber)));
        for (int c = 0; c < static_cast<int>(fields.size()); ++c) {
            m_listRecords->setItem(i, c + 1, new QTableWidgetItem(fields[static_cast<size_t>(c)]));
        }
    }
}

void RecordListDialog::OnPrint() {
    if (m_pDoc) {
        PrintRecords(m_pDoc->m_records, m_look.printBarcodeTitle);
    }
}

void RecordListDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_listRecords) {
        EndDialog(IDOK);
        return;
    }
    CDialogBase::keyPressEvent(event);
}
