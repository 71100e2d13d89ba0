#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "data/SeedWeightDetermination.h"
#include "platform/DialogBase.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class cParam;

// Seed Weight: the thousand-seed weight determination for one ID. The
// console opens it beside the form (not modal: the counter counts the
// replicates meanwhile) and hands it what it needs as hooks: setting up the
// counts through the count session, the records counted since, and the
// balance. The rules are SeedWeightDetermination's; this only shows them.
class SeedWeightDlg : public CDialogBase {
    Q_OBJECT
public:
    enum Control {
        IDC_SW_ID = 1201,
        IDC_SW_WHOLE = 1202,
        IDC_SW_REPLICATES = 1203,
        IDC_SW_CHAFFY = 1204,
        IDC_SW_SETUP = 1205,
        IDC_SW_TABLE = 1206,
        IDC_SW_WEIGHT = 1207,
        IDC_SW_WEIGH = 1208,
        IDC_SW_ENTER = 1209,
        IDC_SW_FIGURES = 1210,
        IDC_SW_NOTES = 1211,
        IDC_SW_RESULT = 1212,
        IDC_SW_MORE = 1213,
        IDC_SW_KEEP = 1214,
    };
    using Method = SeedWeightDetermination::Method;

    struct Hooks {
        // Sets up the counts for `id`: `packets` replicates of 100, or the
        // whole sample; again for eight more, or for the replicates a series
        // closed early left uncounted. Empty when done, else why not.
        std::function<QString(const QString& id, Method method, int packets)> setUpCounts;
        // The seed set's name the counts are made with.
        std::function<QString()> seed;
        // The records made since the counts were first set up.
        std::function<std::vector<const cParam*>()> records;
        // A balance is set up; Weigh asks it (the answer comes to
        // OnBalanceWeight or OnBalanceFailure). False: it could not ask.
        std::function<bool()> hasBalance;
        std::function<bool()> weigh;
        // The balance's serial number, when it gave one.
        std::function<QString()> balanceSerial;
    };

    SeedWeightDlg(Hooks hooks, const QString& id, QWidget* parent = nullptr);

    const SeedWeightDetermination& Determination() const { return m_det; }
    bool SetUp() const { return m_bSetUp; }
    // Nothing would be lost by starting afresh: nothing set up, or kept.
    bool Finished() const { return !m_bSetUp || m_bKept; }
    // Where the determination is kept (vyn8_seed_weights.txt in the data
    // folder unless a test says otherwise).
    QString m_strFile;

    // The counts may have changed: the replicates' seeds are read again.
    void Refresh();
    void OnBalanceWeight(double grams);
    void OnBalanceFailure(const QString& text);

    void OnSetUpCounts();
    void OnWeigh();
    void OnEnterWeight();
    void OnEightMore();
    void OnKeep();

protected:
    bool OnInitDialog() override;
    // Enter weighs (or takes the typed weight); the dialog stays open.
    void OnOK() override { OnWeigh(); }

private:
    // The replicate a weight goes to: the selected row, else the next one.
    int Target() const;
    void TakeWeight(int index, double grams);
    void Render();

    Hooks m_hooks;
    SeedWeightDetermination m_det;
    bool m_bSetUp = false;
    bool m_bKept = false;
    int m_nWeighing = -1;  // the replicate a balance reading goes to
    QLineEdit* m_editId = nullptr;
    QRadioButton* m_radWhole = nullptr;
    QRadioButton* m_radReplicates = nullptr;
    QCheckBox* m_chkChaffy = nullptr;
    QPushButton* m_btnSetUp = nullptr;
    QTableWidget* m_table = nullptr;
    QLineEdit* m_editWeight = nullptr;
    QPushButton* m_btnWeigh = nullptr;
    QPushButton* m_btnEnter = nullptr;
    QLabel* m_lblFigures = nullptr;
    QLabel* m_lblNotes = nullptr;
    QLabel* m_lblResult = nullptr;
    QPushButton* m_btnMore = nullptr;
    QPushButton* m_btnKeep = nullptr;
};

// A weight as the operator types it: grams, with a point or a comma.
bool ParseTypedWeight(const QString& text, double* grams);
