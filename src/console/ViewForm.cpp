// Building the console form: every control with its ID, caption and label.

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"
#include "platform/ControlIds.h"

namespace {

// Form geometry in pixels. The left column holds the link and counter
// settings and the run controls; the sample list takes the rest and grows
// with the window.
constexpr int kLeftX = 10;
constexpr int kLeftW = 290;
constexpr int kRightX = kLeftX + kLeftW + 12;
constexpr int kFormMinW = 1140;
constexpr int kFormMinH = 660;

template <typename T>
T* Make(QWidget* parent, int id, const QString& caption, QRect geometry) {
    auto* w = new T(caption, parent);
    SetControlId(w, id, caption);
    w->setGeometry(geometry);
    return w;
}

QLineEdit* MakeEdit(QWidget* parent, int id, const QString& label, QRect labelRect,
                    QRect editRect) {
    auto* edit = new QLineEdit(parent);
    auto* lbl = new QLabel(label, parent);
    lbl->setGeometry(labelRect);
    lbl->setBuddy(edit);
    SetControlId(edit, id, label);
    edit->setGeometry(editRect);
    return edit;
}

QComboBox* MakeCombo(QWidget* parent, int id, const QString& label, QRect labelRect,
                     QRect comboRect) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    auto* lbl = new QLabel(label, parent);
    lbl->setGeometry(labelRect);
    lbl->setBuddy(combo);
    SetControlId(combo, id, label);
    combo->setGeometry(comboRect);
    return combo;
}

}  // namespace

Cvyn8_rk47View::Cvyn8_rk47View(Cvyn8_rk47Doc* doc, QWidget* parent)
    : QWidget(parent),
      m_pDoc(doc),
      m_session(new CountSession(doc, this)),
      m_model(new SampleListModel(&m_session->Rows(), this)) {
    BuildForm();
    ConnectSignals();
    ConnectSession();
}

QWidget* Cvyn8_rk47View::control(int id) const {
    return FindControl(this, id);
}

void Cvyn8_rk47View::BuildForm() {
    setMinimumSize(kFormMinW, kFormMinH);
    resize(kFormMinW, kFormMinH);
    const int x = kLeftX;
    const int w = kLeftW;

    // Group boxes are frames behind their controls, not their parents, so
    // that enabling or hiding a group touches only the frame.
    m_grpConnectSet = Make<QGroupBox>(this, IDC_GRP_CONNECT, "Connect Set", {x, 6, w, 128});
    m_grpCounterSet = new QGroupBox("Counter Set", this);
    m_grpCounterSet->setAccessibleName("Counter Set");
    m_grpCounterSet->setGeometry(x, 142, w, 190);
    m_grpDisplay = Make<QGroupBox>(this, IDC_GRP_DISPLAY, "Display", {x, 340, w, 310});
    m_grpDisplay->setVisible(false);
    m_grpCountMode = Make<QGroupBox>(this, IDC_GRP_COUNTMODE, "Count Mode", {kRightX, 6, 100, 100});

    const int lx = x + 12;
    const int ex = x + 140;
    const int ew = w - 152;
    m_comboCom = MakeCombo(this, IDC_COM, "1. COM", {lx, 30, 120, 26}, {ex, 30, ew, 26});
    m_comboBaud = MakeCombo(this, IDC_BAUD, "2. BAUD", {lx, 62, 120, 26}, {ex, 62, ew, 26});
    m_btnConnect = Make<QPushButton>(this, IDC_CONNECT, "Connect", {lx, 96, 126, 30});
    m_btnDisconnect = Make<QPushButton>(this, IDC_DISCONNECT, "Disconnect", {ex, 96, ew, 30});

    m_comboName = MakeCombo(this, IDC_NAME, "Name", {lx, 166, 120, 26}, {ex, 166, ew, 26});
    m_editFeedSpeed =
        MakeEdit(this, IDC_FEEDSPEED, "1.Feed Speed", {lx, 200, 120, 26}, {ex, 200, ew - 30, 26});
    m_spinFeedSpeed = new UpDownCtrl(this);
    SetControlId(m_spinFeedSpeed, IDC_SPIN, "Feed Speed up-down");
    m_spinFeedSpeed->setGeometry(ex + ew - 28, 200, 28, 26);
    m_editGateHor =
        MakeEdit(this, IDC_GATEHOR, "2. Feed GateHori", {lx, 234, 120, 26}, {ex, 234, ew, 26});
    m_editGateVer =
        MakeEdit(this, IDC_GATEVER, "3. Feed GateVer", {lx, 268, 120, 26}, {ex, 268, ew, 26});
    m_editSensitivity =
        MakeEdit(this, IDC_SENSITIVITY, "4. Sensitivity", {lx, 302, 120, 26}, {ex, 302, ew, 26});

    // Run controls and the counter's figures.
    m_editPackageNo =
        MakeEdit(this, IDC_PACKAGENO, "Package No.", {lx, 356, 120, 28}, {ex, 356, ew, 28});
    m_editBatchNo = MakeEdit(this, IDC_BATCHNO, "Batch No.", {lx, 390, 120, 28}, {ex, 390, ew, 28});
    m_editCount = MakeEdit(this, IDC_COUNT, "Count", {lx, 428, 120, 48}, {ex, 428, ew, 48});
    QFont big = m_editCount->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    m_editCount->setFont(big);
    m_editCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const int bw = (w - 36) / 2;
    const int bx2 = lx + bw + 12;
    m_btnStart = Make<QPushButton>(this, IDC_START, "Start", {lx, 490, bw, 34});
    m_btnStop = Make<QPushButton>(this, IDC_STOP, "Stop", {bx2, 490, bw, 34});
    m_btnZero = Make<QPushButton>(this, IDC_ZERO, "Zero", {lx, 530, bw, 34});
    m_btnDump = Make<QPushButton>(this, IDC_DUMP, "Dump", {bx2, 530, bw, 34});
    m_btnRepeat = Make<QPushButton>(this, IDC_REPEAT, "Repeat", {lx, 570, bw, 34});
    m_btnDone = Make<QPushButton>(this, IDC_DONE, "Done", {bx2, 570, bw, 34});
    m_btnReset = Make<QPushButton>(this, IDC_RESET, "Reset", {lx, 610, bw, 34});

    // Count mode, sample entry and the list.
    const int rx = kRightX + 12;
    m_radioTotalize = Make<QRadioButton>(this, IDC_TOTALIZE, "Totalize Count", {rx, 28, 140, 26});
    m_radioBatch = Make<QRadioButton>(this, IDC_BATCH, "Batch Count", {rx + 150, 28, 130, 26});
    m_radioTotalize->setAutoExclusive(false);
    m_radioBatch->setAutoExclusive(false);
    m_btnLoadFile = Make<QPushButton>(this, IDC_LOADFILE, "Load File...", {rx + 300, 26, 120, 30});
    m_editID = MakeEdit(this, IDC_ID, "I.D.(Variety)", {rx, 66, 100, 28}, {rx + 104, 66, 220, 28});
    m_chkSameAsPrevious =
        Make<QCheckBox>(this, IDC_SAMEASPREV, "Data Same as Previous", {rx + 340, 66, 200, 28});
    m_btnDelete = Make<QPushButton>(this, IDC_DELETE, "Delete", {rx + 550, 64, 100, 30});

    m_listSamples = new QTableView(this);
    SetControlId(m_listSamples, IDC_LIST, "Sample list");
    m_listSamples->setModel(m_model);
    m_listSamples->setSelectionMode(QAbstractItemView::NoSelection);
    m_listSamples->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listSamples->setFocusPolicy(Qt::NoFocus);
    m_listSamples->setWordWrap(false);
    m_listSamples->verticalHeader()->setVisible(false);
    m_listSamples->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_listSamples->verticalHeader()->setDefaultSectionSize(22);
    m_listSamples->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_listSamples->horizontalHeader()->setHighlightSections(false);

    m_editID->installEventFilter(this);
    m_listSamples->installEventFilter(this);
    LayoutControls();
}

void Cvyn8_rk47View::LayoutControls() {
    const int listTop = 106;
    const int listW = width() - kRightX - 24;
    const int listH = height() - listTop - 22;
    m_grpCountMode->setGeometry(kRightX, 6, width() - kRightX - 8, height() - 12);
    m_listSamples->setGeometry(kRightX + 12, listTop, listW, listH);
}

void Cvyn8_rk47View::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

void Cvyn8_rk47View::ConnectSignals() {
    connect(m_btnConnect, &QPushButton::clicked, this, &Cvyn8_rk47View::OnConnect);
    connect(m_btnDisconnect, &QPushButton::clicked, this, &Cvyn8_rk47View::OnDisconnect);
    connect(m_btnLoadFile, &QPushButton::clicked, this, &Cvyn8_rk47View::OnLoadFile);
    connect(m_btnStart, &QPushButton::clicked, this, &Cvyn8_rk47View::OnStart);
    connect(m_btnStop, &QPushButton::clicked, this, &Cvyn8_rk47View::OnStop);
    connect(m_btnZero, &QPushButton::clicked, this, &Cvyn8_rk47View::OnZero);
    connect(m_btnDump, &QPushButton::clicked, this, &Cvyn8_rk47View::OnDump);
    connect(m_btnRepeat, &QPushButton::clicked, this, &Cvyn8_rk47View::OnRepeat);
    connect(m_btnDone, &QPushButton::clicked, this, &Cvyn8_rk47View::OnDone);
    connect(m_btnReset, &QPushButton::clicked, this, &Cvyn8_rk47View::OnReset);
    connect(m_btnDelete, &QPushButton::clicked, this, &Cvyn8_rk47View::OnDelete);
    connect(m_radioTotalize, &QRadioButton::clicked, this, &Cvyn8_rk47View::OnTotalizeCount);
    connect(m_radioBatch, &QRadioButton::clicked, this, &Cvyn8_rk47View::OnBatchCount);
    connect(m_comboCom, qOverload<int>(&QComboBox::activated), this,
            &Cvyn8_rk47View::OnSelchangeCom);
    connect(m_comboBaud, qOverload<int>(&QComboBox::activated), this,
            &Cvyn8_rk47View::OnSelchangeBaud);
    connect(m_comboName, qOverload<int>(&QComboBox::activated), this,
            &Cvyn8_rk47View::OnSelchangeName);
    connect(m_spinFeedSpeed, &UpDownCtrl::deltaPos, this, &Cvyn8_rk47View::OnDeltaposFeedSpeed);
    connect(m_editFeedSpeed, &QLineEdit::textEdited, m_session, &CountSession::FeedSpeedTyped);
    connect(m_editFeedSpeed, &QLineEdit::editingFinished, this, &Cvyn8_rk47View::ExchangeFeedSpeed);
    connect(m_chkSameAsPrevious, &QCheckBox::toggled, m_session, &CountSession::SetSameAsPrevious);
    // The ID edit takes the focus whenever its text changes (a scanner types
    // into it while another control has the focus).
    connect(m_editID, &QLineEdit::textChanged, this, [this] { m_editID->setFocus(); });
}

bool Cvyn8_rk47View::eventFilter(QObject* watched, QEvent* event) {
    // While a sample runs the list holds the focus and keystrokes do nothing.
    if (watched == m_listSamples && event->type() == QEvent::KeyPress &&
        m_session->SampleRunning()) {
        return true;
    }
    if (watched == m_editID && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            OnIdEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
