#include "dialogs/Setupalert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
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

QComboBox* MakeCombo(QWidget* parent, int id, const QString& name, const QStringList& items,
                     bool editable = false) {
    auto* combo = new QComboBox(parent);
    SetControlId(combo, id, name);
    combo->addItems(items);
    combo->setEditable(editable);
    return combo;
}

const char* const kParityNames[] = {"None", "Even", "Odd"};
const char kParityLetters[] = {'N', 'E', 'O'};

}  // namespace

QWidget* Setupalert::BuildBalanceGroup() {
    auto* group = new QGroupBox("Balance", this);
    QStringList ports{"None"};
    for (int i = 1; i <= 9; ++i) {
        ports << QStringLiteral("COM%1").arg(i);
    }
    m_comboPort = MakeCombo(group, IDC_BALANCE_PORT, "Balance port", ports, true);
    m_comboBaud = MakeCombo(group, IDC_BALANCE_BAUD, "Balance baud",
                            {"1200", "2400", "4800", "9600", "19200", "38400"}, true);
    m_comboDataBits = MakeCombo(group, IDC_BALANCE_DATA_BITS, "Balance data bits", {"7", "8"});
    m_comboParity = MakeCombo(group, IDC_BALANCE_PARITY, "Balance parity", {"None", "Even", "Odd"});
    m_comboStopBits = MakeCombo(group, IDC_BALANCE_STOP_BITS, "Balance stop bits", {"1", "2"});
    m_comboProtocol =
        MakeCombo(group, IDC_BALANCE_PROTOCOL, "Balance protocol", BalanceProtocols());
    auto* form = new QFormLayout(group);
    form->addRow("Port", m_comboPort);
    form->addRow("Baud", m_comboBaud);
    form->addRow("Data bits", m_comboDataBits);
    form->addRow("Parity", m_comboParity);
    form->addRow("Stop bits", m_comboStopBits);
    form->addRow("Protocol", m_comboProtocol);
    return group;
}

bool Setupalert::ReadBalance(BalanceSettings* out) {
    QString why;
    if (!ParseBalancePort(m_comboPort->currentText(), &out->port, &why)) {
        Prompt(why, kAppTitle, PromptIcon::Warning);
        m_comboPort->setFocus();
        return false;
    }
    bool ok = false;
    out->baud = m_comboBaud->currentText().trimmed().toInt(&ok);
    if (!ok || out->baud <= 0) {
        Prompt("The balance's baud rate must be a whole number above 0.", kAppTitle,
               PromptIcon::Warning);
        m_comboBaud->setFocus();
        return false;
    }
    out->dataBits = m_comboDataBits->currentText().toInt();
    out->parity = kParityLetters[std::max(0, m_comboParity->currentIndex())];
    out->stopBits = m_comboStopBits->currentText().toInt();
    out->protocol = m_comboProtocol->currentText();
    return true;
}

Setupalert::Setupalert(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Setup Frame");
    m_chkSampleReady = MakeCheck(this, IDC_CHK_SAMPLE_READY, "Sample Ready Dialogue Appearance");
    m_chkAutoDump = MakeCheck(this, IDC_CHK_AUTO_DUMP, "Auto Dump");
    m_chkLocationComment =
        MakeCheck(this, IDC_CHK_LOCATION_COMMENT, "Location and Comment required");
    m_editOperator = new QLineEdit(this);
    SetControlId(m_editOperator, IDC_OPERATOR, "Operator");
    m_strOperator = StoredOperator();
    m_balance = StoredBalanceSettings();
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
    layout->addWidget(BuildBalanceGroup());
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
    QWidget::setTabOrder(m_editServer, m_comboPort);

    connect(m_btnOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

bool Setupalert::OnInitDialog() {
    m_chkAutoDump->setChecked(m_bAutoDump != 0);
    m_chkSampleReady->setChecked(m_bSampleReadyDialog != 0);
    m_chkLocationComment->setChecked(m_bLocationCommentRequired != 0);
    m_editOperator->setText(m_strOperator);
    m_comboPort->setEditText(m_balance.Enabled() ? m_balance.port : QStringLiteral("None"));
    m_comboBaud->setEditText(QString::number(m_balance.baud));
    m_comboDataBits->setCurrentText(QString::number(m_balance.dataBits));
    for (int i = 0; i < 3; ++i) {
        if (kParityLetters[i] == m_balance.parity) {
            m_comboParity->setCurrentText(kParityNames[i]);
        }
    }
    m_comboStopBits->setCurrentText(QString::number(m_balance.stopBits));
    m_comboProtocol->setCurrentText(m_balance.protocol);
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
    BalanceSettings balance;
    if (!ReadBalance(&balance)) {
        return;
    }
    m_strOperator = m_editOperator->text().trimmed();
    StoreOperator(m_strOperator);
    m_strStation = m_editStation->text().trimmed();
    StoreStation(m_strStation);
    m_strServer = m_editServer->text().trimmed();
    StoreServer(m_strServer);
    m_balance = balance;
    StoreBalanceSettings(m_balance);
    m_bAutoDump = m_chkAutoDump->isChecked() ? 1 : 0;
    m_bSampleReadyDialog = m_chkSampleReady->isChecked() ? 1 : 0;
    m_bLocationCommentRequired = m_chkLocationComment->isChecked() ? 1 : 0;
    EndDialog(IDOK);
}
