#include "dialogs/CorrectInventoryDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ledger/Ledger.h"
#include "platform/Prompter.h"

CorrectInventoryDlg::CorrectInventoryDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Correct Inventory");
    m_labelId = new QLabel(this);
    m_editValue = new QLineEdit(this);
    SetControlId(m_editValue, IDC_CORRECT_VALUE, "New inventory");
    m_editReason = new QLineEdit(this);
    SetControlId(m_editReason, IDC_CORRECT_REASON, "Reason");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetControlId(buttons->button(QDialogButtonBox::Ok), IDOK, "OK");
    SetControlId(buttons->button(QDialogButtonBox::Cancel), IDCANCEL, "Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { OnCancel(); });

    auto* form = new QFormLayout(this);
    form->addRow("I.D.(Variety)", m_labelId);
    form->addRow("New inventory", m_editValue);
    form->addRow("Reason", m_editReason);
    form->addRow(buttons);
}

bool CorrectInventoryDlg::OnInitDialog() {
    m_labelId->setText(
        QString("%1 (now %2)").arg(m_strId, m_strBefore.isEmpty() ? "none" : m_strBefore));
    m_editValue->setText(m_strValue);
    m_editReason->setText(m_strReason);
    m_editValue->setFocus();
    return true;
}

void CorrectInventoryDlg::OnOK() {
    const QString value = m_editValue->text().trimmed();
    const QString reason = m_editReason->text().trimmed();
    if (const QString why = Ledger::CorrectionValueProblem(value); !why.isEmpty()) {
        Prompt(why);
        m_editValue->setFocus();
        return;
    }
    if (reason.isEmpty()) {
        Prompt("A correction needs a reason.");
        m_editReason->setFocus();
        return;
    }
    m_strValue = value;
    m_strReason = reason;
    EndDialog(IDOK);
}
