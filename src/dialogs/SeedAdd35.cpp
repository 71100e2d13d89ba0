#include "dialogs/SeedAdd35.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/SeedFieldRules.h"
#include "platform/NumText.h"
#include "platform/Prompter.h"

SeedAdd35::SeedAdd35(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Add Seed Form");
    auto* grid = new QGridLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    m_editName = AddField(grid, IDC_ADD_SEEDNAME, "1. Seed Name", QString(), 0);
    m_editFeedSpeed = AddField(grid, IDC_ADD_FEEDSPEED, "2. Seed Speed", "(1~200)", 1);
    m_editGateHor = AddField(grid, IDC_ADD_GATEHOR, "3. Feed GapHor", "(0~20)", 2);
    m_editGateVer = AddField(grid, IDC_ADD_GATEVER, "4. Feed GateVer", "(0~20)", 3);
    m_editSensitivity = AddField(grid, IDC_ADD_SENSITIVITY, "5. Sensitivity", "(0~10)", 4);
    for (QLineEdit* numeric : {m_editFeedSpeed, m_editGateHor, m_editGateVer, m_editSensitivity}) {
        connect(numeric, &QLineEdit::textChanged, this,
                [](const QString& text) { WarnIfNotNumeric(text); });
    }

    auto* ok = new QPushButton("OK", this);
    SetControlId(ok, IDOK, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SeedAdd35::OnBnClickedOk);
    auto* cancel = new QPushButton("Cancel", this);
    SetControlId(cancel, IDCANCEL, "Cancel");
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_editName->setFocus();
}

QLineEdit* SeedAdd35::AddField(QGridLayout* grid, int id, const QString& label, const QString& hint,
                               int row) {
    auto* edit = new QLineEdit(this);
    auto* lbl = new QLabel(label, this);
    lbl->setBuddy(edit);
    SetControlId(edit, id, label);
    grid->addWidget(lbl, row, 0);
    grid->addWidget(edit, row, 1);
    if (!hint.isEmpty()) {
        grid->addWidget(new QLabel(hint, this), row, 2);
    }
    return edit;
}

QLineEdit* SeedAdd35::RefusedField(QString* message) const {
    // An empty name adds nothing and empty values take their defaults, so
    // only texts that were given are checked.
    if (!m_strSeedName.isEmpty()) {
        *message = SeedNameProblem(m_strSeedName);
        if (message->isEmpty() && m_existingNames.contains(m_strSeedName)) {
            *message = QStringLiteral(
                           "The seed name \"%1\" is already in the list: use another "
                           "name.")
                           .arg(m_strSeedName);
        }
        if (!message->isEmpty()) {
            return m_editName;
        }
    }
    const std::pair<QLineEdit*, const char*> values[] = {{m_editFeedSpeed, "The feed speed"},
                                                         {m_editGateHor, "The gate horizontal"},
                                                         {m_editGateVer, "The gate vertical"},
                                                         {m_editSensitivity, "The sensitivity"}};
    for (const auto& [edit, what] : values) {
        if (!edit->text().isEmpty()) {
            *message = SeedValueProblem(what, edit->text());
            if (!message->isEmpty()) {
                return edit;
            }
        }
    }
    return nullptr;
}

void SeedAdd35::OnBnClickedOk() {
    m_strSeedName = m_editName->text();
    m_strFeedSpeed = m_editFeedSpeed->text();
    m_strGateHor = m_editGateHor->text();
    m_strGateVer = m_editGateVer->text();
    m_strSensitivity = m_editSensitivity->text();
    QString message;
    if (QLineEdit* refused = RefusedField(&message)) {
        Prompt(message, kAppTitle, PromptIcon::Warning);
        refused->setFocus();
        refused->selectAll();
        return;
    }
    EndDialog(IDOK);
}
