#include "dialogs/cSeedname35.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/SeedAdd35.h"
#include "dialogs/SeedFieldRules.h"
#include "platform/Prompter.h"

namespace {

QLineEdit* AddEdit(QWidget* parent, QFormLayout* form, int id, const QString& label) {
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id, label);
    form->addRow(label, edit);
    return edit;
}

QPushButton* AddButton(QWidget* parent, QBoxLayout* row, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    SetControlId(button, id, text);
    row->addWidget(button);
    return button;
}

QString WithoutSpaces(QString text) {
    return text.remove(' ');
}

}  // namespace

cSeedname35::cSeedname35(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle("Edit Seed");
    for (QStringList* list : WorkingLists()) {
        list->resize(kRemadeListSize);
    }
    auto* form = new QFormLayout;
    m_comboSeed = new QComboBox(this);
    m_comboSeed->setEditable(true);
    m_comboSeed->setInsertPolicy(QComboBox::NoInsert);
    SetControlId(m_comboSeed, IDC_SEED_NAME, "1. Seed Name");
    form->addRow("1. Seed Name", m_comboSeed);
    m_editFeedSpeed = AddEdit(this, form, IDC_SEED_FEEDSPEED, "2. Feed Speed");
    m_editGateHor = AddEdit(this, form, IDC_SEED_GATEHOR, "3. Feed GateHor");
    m_editGateVer = AddEdit(this, form, IDC_SEED_GATEVER, "4. Feed GapVer");
    m_editSensitivity = AddEdit(this, form, IDC_SEED_SENSITIVITY, "5. Sensitivity");

    auto* edits = new QHBoxLayout;
    QPushButton* add = AddButton(this, edits, IDC_SEED_ADD, "Add");
    QPushButton* remove = AddButton(this, edits, IDC_SEED_REMOVE, "Remove");
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    QPushButton* ok = AddButton(this, closing, IDOK, "OK");
    QPushButton* cancel = AddButton(this, closing, IDCANCEL, "Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &cSeedname35::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(add, &QPushButton::clicked, this, &cSeedname35::OnBnClickedAdd);
    connect(remove, &QPushButton::clicked, this, &cSeedname35::OnBnClickedRemove);
    connect(m_comboSeed, qOverload<int>(&QComboBox::activated), this,
            &cSeedname35::OnCbnSelchangeSeedName);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(edits);
    layout->addLayout(closing);
    QWidget* order[] = {
        ok,          cancel, m_editFeedSpeed, m_editGateHor, m_editGateVer, m_editSensitivity,
        m_comboSeed, add,    remove};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    ok->setFocus();
}

std::array<QStringList*, 5> cSeedname35::WorkingLists() {
    return {&m_arrNames, &m_arrFeedSpeed, &m_arrGateVer, &m_arrGateHor, &m_arrSensitivity};
}

bool cSeedname35::OnInitDialog() {
    const std::array<const QStringList*, 5> source = {&m_pDoc->m_seedNames, &m_pDoc->m_feedSpeeds,
                                                      &m_pDoc->m_gateVers, &m_pDoc->m_gateHors,
                                                      &m_pDoc->m_sensitivities};
    const auto working = WorkingLists();
    for (int i = 0; i < m_nCount; ++i) {
        m_comboSeed->insertItem(i, m_pDoc->m_seedNames.value(i));
        for (size_t l = 0; l < working.size(); ++l) {
            if (working[l]->size() <= i) {
                working[l]->resize(i + 1);
            }
            (*working[l])[i] = source[l]->value(i);
        }
    }
    m_comboSeed->setCurrentIndex(-1);
    m_comboSeed->setEditText(m_arrNames.value(m_nIndex));
    ShowValues(m_nIndex);
    return true;
}

void cSeedname35::ShowValues(int index) {
    m_editFeedSpeed->setText(m_arrFeedSpeed.value(index));
    m_editGateHor->setText(m_arrGateHor.value(index));
    m_editGateVer->setText(m_arrGateVer.value(index));
    m_editSensitivity->setText(m_arrSensitivity.value(index));
}

void cSeedname35::FindIndexByName() {
    m_strSeedName = m_comboSeed->currentText();
    // The shown set stays the one meant while its name is in the box, even
    // when an older file holds another set of the same name.
    if (m_arrNames.value(m_nIndex) == m_strSeedName) {
        return;
    }
    const qsizetype found = m_arrNames.mid(0, m_nCount).indexOf(m_strSeedName);
    if (found >= 0) {
        m_nIndex = static_cast<int>(found);
    }
}

void cSeedname35::OnCbnSelchangeSeedName() {
    const int sel = m_comboSeed->currentIndex();
    if (sel < 0) {
        return;
    }
    m_nIndex = sel;
    ShowValues(sel);
}

void cSeedname35::OnBnClickedAdd() {
    m_nChange = 1;
    m_comboSeed->setEnabled(false);
    SeedAdd35 form(this);
    form.m_existingNames = m_arrNames.mid(0, m_nCount);
    if (form.DoModal() == IDOK && !form.m_strSeedName.isEmpty()) {
        m_strSeedName = form.m_strSeedName;
        m_strFeedSpeed = form.m_strFeedSpeed.isEmpty() ? "50" : form.m_strFeedSpeed;
        m_strGateHor = form.m_strGateHor.isEmpty() ? "10" : form.m_strGateHor;
        m_strGateVer = form.m_strGateVer.isEmpty() ? "10" : form.m_strGateVer;
        m_strSensitivity = form.m_strSensitivity.isEmpty() ? "5" : form.m_strSensitivity;

        m_comboSeed->insertItem(m_nCount, m_strSeedName);
        m_comboSeed->setEditText(m_strSeedName);
        const QString values[] = {m_strSeedName, m_strFeedSpeed, m_strGateVer, m_strGateHor,
                                  m_strSensitivity};
        const auto working = WorkingLists();
        for (size_t l = 0; l < working.size(); ++l) {
            working[l]->insert(std::min<qsizetype>(m_nCount, working[l]->size()), values[l]);
        }
        ShowValues(m_nCount);
        m_nIndex = m_nCount;
        ++m_nCount;
    }
    m_comboSeed->setEnabled(true);
}

void cSeedname35::OnBnClickedRemove() {
    FindIndexByName();
    m_nChange = 2;
    if (m_nCount == 1) {
        Prompt("Only one item in list !", kAppTitle, PromptIcon::Error);
        return;
    }
    if (Prompt("Are you sure to remove ?", kAppTitle, PromptIcon::Question, PromptButtons::YesNo) !=
        IDYES) {
        return;
    }
    if (m_nIndex < 0 || m_nIndex >= m_nCount) {
        return;
    }
    for (QStringList* list : WorkingLists()) {
        list->removeAt(m_nIndex);
    }
    // The combo list mirrors the working lists, so the same entry goes.
    m_comboSeed->removeItem(m_nIndex);
    m_comboSeed->setCurrentIndex(-1);
    m_comboSeed->setEditText(m_arrNames.value(0));
    ShowValues(0);
    m_nIndex = 0;
    --m_nCount;
}

bool cSeedname35::ReadValues() {
    const std::pair<QLineEdit*, const char*> edits[] = {{m_editFeedSpeed, "The feed speed"},
                                                        {m_editGateHor, "The gate horizontal"},
                                                        {m_editGateVer, "The gate vertical"},
                                                        {m_editSensitivity, "The sensitivity"}};
    for (const auto& [edit, what] : edits) {
        const QString problem = SeedValueProblem(what, WithoutSpaces(edit->text()));
        if (!problem.isEmpty()) {
            Prompt(problem, kAppTitle, PromptIcon::Warning);
            edit->setFocus();
            return false;
        }
    }
    m_strFeedSpeed = WithoutSpaces(m_editFeedSpeed->text());
    m_strGateHor = WithoutSpaces(m_editGateHor->text());
    m_strGateVer = WithoutSpaces(m_editGateVer->text());
    m_strSensitivity = WithoutSpaces(m_editSensitivity->text());
    return true;
}

void cSeedname35::CopyToDocument(bool remake) {
    const std::array<QStringList*, 5> target = {&m_pDoc->m_seedNames, &m_pDoc->m_feedSpeeds,
                                                &m_pDoc->m_gateVers, &m_pDoc->m_gateHors,
                                                &m_pDoc->m_sensitivities};
    const auto working = WorkingLists();
    for (size_t l = 0; l < target.size(); ++l) {
        if (remake) {
            target[l]->clear();
            target[l]->resize(kRemadeListSize);
        }
    }
    m_pDoc->EnsureSeedIndex(m_nCount - 1);
    for (size_t l = 0; l < target.size(); ++l) {
        for (int i = 0; i < m_nCount; ++i) {
            (*target[l])[i] = working[l]->value(i);
        }
    }
}

void cSeedname35::OnBnClickedOk() {
    // The edits matter only when no set was added or removed.
    if (m_nChange == 0 && !ReadValues()) {
        return;
    }
    FindIndexByName();
    m_nIndex = std::clamp(m_nIndex, 0, std::max(0, m_nCount - 1));
    if (m_nChange == 0) {
        m_pDoc->EnsureSeedIndex(m_nIndex);
        m_arrFeedSpeed[m_nIndex] = m_pDoc->m_feedSpeeds[m_nIndex] = m_strFeedSpeed;
        m_arrGateHor[m_nIndex] = m_pDoc->m_gateHors[m_nIndex] = m_strGateHor;
        m_arrGateVer[m_nIndex] = m_pDoc->m_gateVers[m_nIndex] = m_strGateVer;
        m_arrSensitivity[m_nIndex] = m_pDoc->m_sensitivities[m_nIndex] = m_strSensitivity;
    } else {
        CopyToDocument(m_nChange == 2);
        m_nChange = 0;
    }
    EndDialog(IDOK);
}
