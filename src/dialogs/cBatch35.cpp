#include "dialogs/cBatch35.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "platform/NumText.h"
#include "platform/Prompter.h"
#include "platform/StoredText.h"

namespace {

constexpr int kNumberLimit = 20;
constexpr int kTextLimit = 100;

// Limits what the operator can type without cutting a longer text the
// program has already put into the edit (a long scanned ID stays whole).
void LimitText(QLineEdit* edit, int limit) {
    edit->setMaxLength(std::max<int>(limit, static_cast<int>(edit->text().size())));
}

}  // namespace

cBatch35::cBatch35(QWidget* parent, const QString& id) : CDialogBase(parent), m_strID(id) {
    BuildForm();
}

void cBatch35::BuildForm() {
    setWindowTitle("Data Input");
    auto* grid = new QGridLayout;
    auto addRow = [&](int row, const QString& label, int id) {
        auto* lbl = new QLabel(label, this);
        auto* edit = new QLineEdit(this);
        lbl->setBuddy(edit);
        SetControlId(edit, id, label);
        grid->addWidget(lbl, row, 0);
        grid->addWidget(edit, row, 1);
        return std::pair{lbl, edit};
    };
    m_editID = addRow(0, "1. I.D.(Variety)", IDC_EDIT_ID).second;
    m_editBatch = addRow(1, "2. Batch", IDC_EDIT_BATCH).second;
    m_editBatch->setEnabled(false);
    m_editPackets = addRow(2, "3. No. of Packet", IDC_EDIT_PACKETS).second;
    m_editSeedsPerPacket = addRow(3, "4. Seed N0./P", IDC_EDIT_SEEDS).second;
    std::tie(m_lblLocation, m_editLocation) = addRow(4, "5. Location", IDC_EDIT_LOCATION);
    std::tie(m_lblComments, m_editComments) = addRow(5, "6. Comments", IDC_EDIT_COMMENTS);
    SetControlId(m_lblLocation, IDC_LBL_LOCATION, "5. Location");
    SetControlId(m_lblComments, IDC_LBL_COMMENTS, "6. Comments");

    m_btnDone = new QPushButton("Done", this);
    SetControlId(m_btnDone, IDC_BTN_DONE, "Done");
    m_btnCancel = new QPushButton("Cancel", this);
    SetControlId(m_btnCancel, IDCANCEL, "Cancel");
    for (QPushButton* b : {m_btnDone, m_btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnDone);
    buttons->addWidget(m_btnCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);

    connect(m_btnDone, &QPushButton::clicked, this, &cBatch35::OnBnClickedDone);
    connect(m_btnCancel, &QPushButton::clicked, this, &cBatch35::OnBnClickedCancel);
    connect(m_editPackets, &QLineEdit::textChanged, this, &cBatch35::OnEnChangePackets);
    connect(m_editSeedsPerPacket, &QLineEdit::textChanged, this,
            &cBatch35::OnEnChangeSeedsPerPacket);

    // Keys are looked at before any control or the dialog acts on them.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->installEventFilter(this);
    }
}

void cBatch35::UpdateData(bool fromControls) {
    const std::pair<QString*, QLineEdit*> pairs[] = {{&m_strID, m_editID},
                                                     {&m_strBatch, m_editBatch},
                                                     {&m_strPackets, m_editPackets},
                                                     {&m_strSeedsPerPacket, m_editSeedsPerPacket},
                                                     {&m_strLocation, m_editLocation},
                                                     {&m_strComments, m_editComments}};
    for (const auto& [text, edit] : pairs) {
        if (fromControls) {
            *text = edit->text();
        } else {
            edit->setText(*text);
        }
    }
}

bool cBatch35::OnInitDialog() {
    UpdateData(false);
    m_editID->setText(m_strID);
    LimitText(m_editID, kNumberLimit);
    if (m_bShowLocation != 0) {
        LimitText(m_editLocation, kTextLimit);
        LimitText(m_editComments, kTextLimit);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{m_editLocation, m_editComments,
                                                          m_lblLocation, m_lblComments}) {
            w->hide();
        }
    }
    m_editBatch->setText(m_strBatch);
    LimitText(m_editPackets, kNumberLimit);

    m_strSeedsPerPacket.clear();
    m_strPackets.clear();
    m_editPackets->setEnabled(m_bPacketEntry != 0);
    m_editSeedsPerPacket->setEnabled(m_bPacketEntry != 0);
    m_editPackets->setText(m_strPackets);
    m_editSeedsPerPacket->setText(m_strSeedsPerPacket);
    LimitText(m_editSeedsPerPacket, kNumberLimit);

    m_editLocation->setText(m_strLocation);
    m_editComments->setText(m_strComments);

    if (m_strID.isEmpty()) {
        m_editID->setEnabled(true);
        m_editID->setFocus();
    } else {
        m_editID->setEnabled(false);
        if (m_bPacketEntry != 0) {
            m_editPackets->setFocus();
        } else {
            m_editLocation->setEnabled(true);
            m_editLocation->setFocus();
        }
    }
    m_bContinue = 1;
    return false;
}

void cBatch35::EndWithOk() {
    UpdateData(true);
    EndDialog(IDOK);
}

void cBatch35::OnOK() {
    if (m_bPacketEntry == 1) {
        m_strPackets = m_editPackets->text();
    }
    m_strSeedsPerPacket = m_editSeedsPerPacket->text();
    if (m_bShowLocation != 0) {
        m_strLocation = m_editLocation->text();
        m_strComments = m_editComments->text();
    }
    m_strID = m_editID->text();

    if (m_bPacketEntry == 0) {
        if (!EntryCanBeStored()) {
            return;
        }
        EndWithOk();
        m_bContinue = 0;
        return;
    }
    if (m_bPacketEntry != 1) {
        return;
    }
    // A series is entered with Enter alone: an empty number takes the focus
    // there, and the row is accepted once both numbers are given.
    if (m_strPackets.isEmpty()) {
        m_editPackets->setFocus();
    } else if (m_strSeedsPerPacket.isEmpty()) {
        m_editSeedsPerPacket->setFocus();
    } else if (EntryCanBeStored()) {
        m_bContinue = 1;
        EndDialog(IDOK);
    }
}

void cBatch35::OnBnClickedDone() {
    m_strPackets = m_editPackets->text();
    m_strLocation = m_editLocation->text();
    m_strID = m_editID->text();
    m_strComments = m_editComments->text();
    if (!EntryCanBeStored()) {
        return;
    }
    m_bContinue = 0;
    EndWithOk();
}

bool cBatch35::EntryCanBeStored() {
    const std::pair<QLineEdit*, const char*> fields[] = {{m_editID, "The I.D.(Variety)"},
                                                         {m_editPackets, "The No. of Packet"},
                                                         {m_editSeedsPerPacket, "The Seed No./P"},
                                                         {m_editLocation, "The location"},
                                                         {m_editComments, "The comment"}};
    for (const auto& [edit, what] : fields) {
        const QString problem = StoredTextProblem(what, edit->text());
        if (!problem.isEmpty()) {
            Prompt(problem, kAppTitle, PromptIcon::Warning);
            if (edit->isEnabled()) {
                edit->setFocus();
                edit->selectAll();
            }
            return false;
        }
    }
    return true;
}

void cBatch35::OnBnClickedCancel() {
    m_bContinue = 0;
    OnCancel();
}

void cBatch35::OnCancel() {
    m_bContinue = 0;
    EndDialog(IDCANCEL);
}

void cBatch35::OnEnChangePackets() {
    m_strPackets = m_editPackets->text();
    WarnIfNotNumeric(m_strPackets);
}

void cBatch35::OnEnChangeSeedsPerPacket() {
    m_strSeedsPerPacket = m_editSeedsPerPacket->text();
    WarnIfNotNumeric(m_strSeedsPerPacket);
}

bool cBatch35::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return CDialogBase::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnOK();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            // Inside an edit the arrows move the caret; they never move the
            // focus from one control to the next.
            return qobject_cast<QLineEdit*>(watched) == nullptr;
        default:
            return CDialogBase::eventFilter(watched, event);
    }
}
