#include "dialogs/SeedWeightDlg.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/BalanceSettings.h"
#include "data/SeedWeightFile.h"
#include "ledger/LedgerSettings.h"
#include "platform/DataFolder.h"
#include "platform/Prompter.h"
#include "platform/StoredText.h"

namespace {

QString Grams(double g) {
    return QString::number(g, 'f', 4);
}

}  // namespace

bool ParseTypedWeight(const QString& text, double* grams) {
    QString t = text.trimmed();
    if (t.endsWith('g')) {
        t.chop(1);
        t = t.trimmed();
    }
    t.replace(',', '.');
    bool ok = false;
    *grams = t.toDouble(&ok);
    return ok;
}

SeedWeightDlg::SeedWeightDlg(Hooks hooks, const QString& id, QWidget* parent)
    : CDialogBase(parent), m_hooks(std::move(hooks)) {
    setWindowTitle("Seed Weight");
    m_strFile = QDir(DataFolder()).filePath(kSeedWeightFileName);
    const auto make = [this](auto* w, int controlId, const QString& name) {
        SetControlId(w, controlId, name);
        return w;
    };
    m_editId = make(new QLineEdit(id, this), IDC_SW_ID, "I.D.(Variety)");
    m_radWhole = make(new QRadioButton("(a) Whole sample", this), IDC_SW_WHOLE, "Whole sample");
    m_radReplicates = make(new QRadioButton("(b) 8 replicates of 100 seeds", this),
                           IDC_SW_REPLICATES, "Replicates");
    m_radReplicates->setChecked(true);
    m_chkChaffy = make(new QCheckBox("Chaffy seed (CV limit 6.0)", this), IDC_SW_CHAFFY, "Chaffy");
    m_btnSetUp = make(new QPushButton("Set Up Counts", this), IDC_SW_SETUP, "Set Up Counts");
    m_table = make(new QTableWidget(0, 4, this), IDC_SW_TABLE, "Replicates");
    m_table->setHorizontalHeaderLabels({"Seeds", "Weight (g)", "Per 100 (g)", "Mark"});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_editWeight = make(new QLineEdit(this), IDC_SW_WEIGHT, "Weight (g)");
    m_btnWeigh = make(new QPushButton("Weigh", this), IDC_SW_WEIGH, "Weigh");
    m_btnWeigh->setDefault(true);
    m_btnEnter = make(new QPushButton("Enter Weight", this), IDC_SW_ENTER, "Enter Weight");
    m_lblFigures = make(new QLabel(this), IDC_SW_FIGURES, "Figures");
    m_lblNotes = make(new QLabel(this), IDC_SW_NOTES, "Notes");
    m_lblNotes->setWordWrap(true);
    m_lblResult = make(new QLabel(this), IDC_SW_RESULT, "Thousand-seed weight");
    QFont big = m_lblResult->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_lblResult->setFont(big);
    m_btnMore = make(new QPushButton("Eight More", this), IDC_SW_MORE, "Eight More");
    m_btnKeep = make(new QPushButton("Keep", this), IDC_SW_KEEP, "Keep");
    auto* close = make(new QPushButton("Close", this), IDCANCEL, "Close");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    top->addRow("I.D.(Variety)", m_editId);
    layout->addLayout(top);
    auto* method = new QHBoxLayout;
    method->addWidget(m_radWhole);
    method->addWidget(m_radReplicates);
    method->addWidget(m_chkChaffy);
    method->addStretch();
    method->addWidget(m_btnSetUp);
    layout->addLayout(method);
    layout->addWidget(m_table, 1);
    auto* weigh = new QHBoxLayout;
    weigh->addWidget(new QLabel("Weight (g)", this));
    weigh->addWidget(m_editWeight);
    weigh->addWidget(m_btnEnter);
    weigh->addWidget(m_btnWeigh);
    layout->addLayout(weigh);
    layout->addWidget(m_lblFigures);
    layout->addWidget(m_lblNotes);
    layout->addWidget(m_lblResult);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnMore);
    buttons->addStretch();
    buttons->addWidget(m_btnKeep);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(560, 520);

    connect(m_btnSetUp, &QPushButton::clicked, this, [this] { OnSetUpCounts(); });
    connect(m_btnWeigh, &QPushButton::clicked, this, [this] { OnWeigh(); });
    connect(m_btnEnter, &QPushButton::clicked, this, [this] { OnEnterWeight(); });
    connect(m_btnMore, &QPushButton::clicked, this, [this] { OnEightMore(); });
    connect(m_btnKeep, &QPushButton::clicked, this, [this] { OnKeep(); });
    connect(close, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(m_chkChaffy, &QCheckBox::toggled, this, [this](bool on) {
        if (m_bSetUp) {
            m_det.SetChaffy(on);
            StoreChaffy(m_det.Seed(), on);
            Render();
        }
    });
}

bool SeedWeightDlg::OnInitDialog() {
    m_chkChaffy->setChecked(StoredChaffy(m_hooks.seed ? m_hooks.seed() : QString()));
    Render();
    return true;
}

void SeedWeightDlg::OnSetUpCounts() {
    const QString id = m_editId->text().trimmed();
    if (id.isEmpty()) {
        Prompt("Type or scan the I.D.(Variety) of the sample to weigh.", kAppTitle,
               PromptIcon::Warning);
        return;
    }
    if (const QString why = StoredTextProblem("The I.D.(Variety)", id); !why.isEmpty()) {
        Prompt(why, kAppTitle, PromptIcon::Warning);
        return;
    }
    if (m_bSetUp) {
        // The replicates a series closed early left uncounted.
        if (const QString why =
                m_hooks.setUpCounts(m_det.Id(), m_det.GetMethod(), m_det.Uncounted());
            !why.isEmpty()) {
            Prompt(why, kAppTitle, PromptIcon::Warning);
        }
        Refresh();
        return;
    }
    const Method method = m_radWhole->isChecked() ? Method::WholeSample : Method::Replicates;
    if (const QString why = m_hooks.setUpCounts(id, method, seed_weight::kReplicates);
        !why.isEmpty()) {
        Prompt(why, kAppTitle, PromptIcon::Warning);
        return;
    }
    const QString seed = m_hooks.seed ? m_hooks.seed() : QString();
    m_det = SeedWeightDetermination(id, seed, method, m_chkChaffy->isChecked());
    StoreChaffy(seed, m_chkChaffy->isChecked());
    m_bSetUp = true;
    m_bKept = false;
    Refresh();
}

void SeedWeightDlg::Refresh() {
    if (m_bSetUp && m_hooks.records) {
        m_det.TakeCounts(m_hooks.records());
    }
    Render();
}

int SeedWeightDlg::Target() const {
    const auto rows = m_table->selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        return rows.first().row();
    }
    return m_det.NextToWeigh();
}

void SeedWeightDlg::OnWeigh() {
    if (!m_hooks.hasBalance || !m_hooks.hasBalance() || !m_editWeight->text().trimmed().isEmpty()) {
        OnEnterWeight();  // a typed weight (always, with no balance) is taken as typed
        return;
    }
    const int target = Target();
    if (!m_bSetUp || target < 0) {
        Prompt(m_bSetUp ? "Every replicate counted so far is weighed." : "Set up the counts first.",
               kAppTitle, PromptIcon::Information);
        return;
    }
    if (m_hooks.weigh()) {
        m_nWeighing = target;
        Render();
    }
}

void SeedWeightDlg::OnBalanceWeight(double grams) {
    // A print-key weight nobody asked for goes where the next one would.
    const int target = m_nWeighing >= 0 ? m_nWeighing : Target();
    m_nWeighing = -1;
    if (!m_bSetUp || target < 0) {
        Prompt(QStringLiteral("The balance sent %1 g, but no replicate is waiting for a weight.")
                   .arg(Grams(grams)),
               kAppTitle, PromptIcon::Information);
        Render();
        return;
    }
    TakeWeight(target, grams);
}

void SeedWeightDlg::OnBalanceFailure(const QString& text) {
    m_nWeighing = -1;
    Render();
    Prompt(text, "Balance", PromptIcon::Warning);
}

void SeedWeightDlg::OnEnterWeight() {
    const int target = Target();
    if (!m_bSetUp || target < 0) {
        Prompt(m_bSetUp ? "Every replicate counted so far is weighed." : "Set up the counts first.",
               kAppTitle, PromptIcon::Information);
        return;
    }
    double grams = 0;
    if (!ParseTypedWeight(m_editWeight->text(), &grams)) {
        Prompt("Type the weight in grams, for example 4.5123.", kAppTitle, PromptIcon::Warning);
        m_editWeight->setFocus();
        return;
    }
    TakeWeight(target, grams);
}

void SeedWeightDlg::TakeWeight(int index, double grams) {
    if (const QString why = m_det.SetWeight(index, grams); !why.isEmpty()) {
        Render();
        Prompt(why, kAppTitle, PromptIcon::Warning);
        return;
    }
    m_bKept = false;
    m_editWeight->clear();
    m_table->clearSelection();
    Render();
}

void SeedWeightDlg::OnEightMore() {
    if (!m_det.AddEightMore()) {
        return;
    }
    if (const QString why =
            m_hooks.setUpCounts(m_det.Id(), Method::Replicates, seed_weight::kReplicates);
        !why.isEmpty()) {
        Prompt(why, kAppTitle, PromptIcon::Warning);
    }
    Refresh();
}

void SeedWeightDlg::OnKeep() {
    if (!m_det.Complete()) {
        return;
    }
    const SeedWeightRecord r =
        MakeRecord(m_det, QDateTime::currentDateTime(), StoredOperator(), StoredStation(),
                   m_hooks.balanceSerial ? m_hooks.balanceSerial() : QString());
    QString error;
    if (!AppendSeedWeight(m_strFile, r, &error)) {
        Prompt(QStringLiteral("The determination could not be kept: %1").arg(error), kAppTitle,
               PromptIcon::Error);
        return;
    }
    m_bKept = true;
    Render();
}

void SeedWeightDlg::Render() {
    const auto& all = m_det.Slots();
    const std::vector<int> far = m_det.FarSlots();
    const auto figures = m_det.Figures();
    m_table->setRowCount(m_bSetUp ? static_cast<int>(all.size()) : 0);
    for (int i = 0; m_bSetUp && i < static_cast<int>(all.size()); ++i) {
        const auto& s = all[i];
        QString mark;
        if (std::find(far.begin(), far.end(), i) != far.end()) {
            mark = figures.discarding ? "discarded" : "far from the others";
        }
        if (s.seeds > 0 && m_det.GetMethod() == Method::Replicates &&
            s.seeds != seed_weight::kSeedsPerReplicate) {
            mark += mark.isEmpty() ? "counted short" : ", counted short";
        }
        if (i == m_nWeighing) {
            mark = "weighing...";
        }
        const QStringList cells = {
            s.seeds > 0 ? QString::number(s.seeds) : QString("not counted"),
            s.grams ? Grams(*s.grams) : QString(),
            s.grams && s.seeds > 0 ? Grams(seed_weight::Per100({*s.grams, s.seeds})) : QString(),
            mark};
        for (int c = 0; c < cells.size(); ++c) {
            m_table->setItem(i, c, new QTableWidgetItem(cells[c]));
        }
    }
    const bool replicates = m_det.GetMethod() == Method::Replicates;
    if (m_bSetUp && replicates && figures.n >= 2) {
        m_lblFigures->setText(QStringLiteral("x\u0304 %1 g    s %2 g    CV %3    limit %4")
                                  .arg(Grams(figures.mean), Grams(figures.s))
                                  .arg(figures.cv, 0, 'f', 2)
                                  .arg(figures.limit, 0, 'f', 1));
    } else {
        m_lblFigures->setText(m_bSetUp && replicates ? QStringLiteral("x\u0304, s and CV follow "
                                                                      "from two weights on")
                                                     : QString());
    }
    m_lblNotes->setText(m_det.Notes().join('\n'));
    const QString result = m_det.ResultText();
    m_lblResult->setText(
        result.isEmpty()
            ? QString()
            : QStringLiteral("Thousand-seed weight: %1%2").arg(result, m_bKept ? "  (kept)" : ""));
    const bool balance = m_hooks.hasBalance && m_hooks.hasBalance();
    m_btnWeigh->setText(balance ? "Weigh" : "Enter");
    m_btnWeigh->setEnabled(m_bSetUp && m_nWeighing < 0);
    m_btnEnter->setEnabled(m_bSetUp);
    m_btnMore->setEnabled(m_bSetUp && figures.needMore && all.size() < 16);
    m_btnKeep->setEnabled(m_det.Complete() && !m_bKept);
    m_editId->setEnabled(!m_bSetUp);
    m_radWhole->setEnabled(!m_bSetUp);
    m_radReplicates->setEnabled(!m_bSetUp);
    m_btnSetUp->setText(m_bSetUp ? "Count the Rest" : "Set Up Counts");
    m_btnSetUp->setEnabled(!m_bSetUp || (m_det.Uncounted() > 0 && m_nWeighing < 0));
}
