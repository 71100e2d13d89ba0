#include "dialogs/Setupalert.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/LedgerSettings.h"
#include "platform/Prompter.h"

namespace {

QCheckBox* MakeCheck(QWidget* parent, int id, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    SetControlId(box, id, caption);
    return box;
}

}  // namespace

Setupalert::Setupalert(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Setup Frame");
    m_chkSampleReady = MakeCheck(this, IDC_CHK_SAMPLE_READY, "Sample Ready Dialogue Appearance");
    m_chkAutoDump = MakeCheck(this, IDC_CHK_AUTO_DUMP, "Auto Dump");
    m_chkLocationComment =
        MakeCheck(this, IDC_CHK_LOCATION_COMMENT, "Location and Comment required");
    m_editOperator = new QLineEdit(this);
    SetControlId(m_editOperator, IDC_OPERATOR, "Operator");
    m_strOperator = StoredOperator();
    m_editStation = new QLineEdit(this);
    SetControlId(m_editStation, IDC_STATION, "Station");
    m_strStation = StoredStation();
    m_editServer = new QLineEdit(this);
    SetControlId(m_editServer, IDC_LEDGER_SERVER, "Ledger server");
    m_editServer->setPlaceholderText("This computer; or the lab's server: service=vyn8");
    m_editServer->setMinimumWidth(280);
    m_strServer = StoredServer();
    m_btnOk = new QPushButton("OK", this);
    SetControlId(m_btnOk, IDOK, "OK");
    m_btnOk->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    SetControlId(cancel, IDCANCEL, "Cancel");

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {m_chkSampleReady, m_chkAutoDump, m_chkLocationComment}) {
        layout->addWidget(box);
    }
    auto* who = new QFormLayout;
    who->addRow("Operator", m_editOperator);
    who->addRow("Station", m_editStation);
    who->addRow("Ledger server", m_editServer);
    layout->addLayout(who);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOk);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    QWidget::setTabOrder(m_btnOk, cancel);
    QWidget::setTabOrder(cancel, m_chkSampleReady);
    QWidget::setTabOrder(m_chkSampleReady, m_chkAutoDump);
    QWidget::setTabOrder(m_chkAutoDump, m_chkLocationComment);
    QWidget::setTabOrder(m_chkLocationComment, m_editOperator);
    QWidget::setTabOrder(m_editOperator, m_editStation);
    QWidget::setTabOrder(m_editStation, m_editServer);

    connect(m_btnOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

bool Setupalert::OnInitDialog() {
    m_chkAutoDump->setChecked(m_bAutoDump != 0);
    m_chkSampleReady->setChecked(m_bSampleReadyDialog != 0);
    m_chkLocationComment->setChecked(m_bLocationCommentRequired != 0);
    m_editOperator->setText(m_strOperator);
    m_editStation->setText(m_strStation);
    m_editServer->setText(m_strServer);
    m_btnOk->setFocus();
    return true;
}

void Setupalert::OnOK() {
    if (const QString why = OperatorNameProblem(m_editOperator->text()); !why.isEmpty()) {
        Prompt(why);
        m_editOperator->setFocus();
        return;
    }
    if (const QString why = OperatorNameProblem(m_editStation->text(), "station"); !why.isEmpty()) {
        Prompt(why);
        m_editStation->setFocus();
        return;
    }
    if (const QString why = ServerTextProblem(m_editServer->text()); !why.isEmpty()) {
        Prompt(why);
        m_editServer->setFocus();
        return;
    }
    m_strOperator = m_editOperator->text().trimmed();
    StoreOperator(m_strOperator);
    m_strStation = m_editStation->text().trimmed();
    StoreStation(m_strStation);
    m_strServer = m_editServer->text().trimmed();
    StoreServer(m_strServer);
    m_bAutoDump = m_chkAutoDump->isChecked() ? 1 : 0;
    m_bSampleReadyDialog = m_chkSampleReady->isChecked() ? 1 : 0;
    m_bLocationCommentRequired = m_chkLocationComment->isChecked() ? 1 : 0;
    EndDialog(IDOK);
}
