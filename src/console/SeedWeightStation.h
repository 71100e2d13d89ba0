#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "data/BalanceSettings.h"

class BalanceLink;
class CountSession;
class Cvyn8_rk47Doc;
class SeedWeightDlg;
class QWidget;

// What the form adds for the thousand-seed weight: the balance on its own
// line (opened when first needed, again after Setup), and the Seed Weight
// dialog beside the form. The dialog's counts are set up by driving the
// count session as the operator would (count mode, ID, the Data Input row),
// so the counter counts the replicates as any series.
class SeedWeightStation : public QObject {
    Q_OBJECT
public:
    SeedWeightStation(CountSession* session, Cvyn8_rk47Doc* doc, QWidget* form);
    ~SeedWeightStation() override;

    // Opens (or raises) the dialog for `id`.
    void Open(const QString& id);
    // Setup may have changed the balance: the line is opened afresh.
    void SettingsChanged();
    SeedWeightDlg* Dialog() const;
    BalanceLink* Balance() const { return m_balance.get(); }

    // The session's rows for `id`: `packets` x 100 in Batch Count, or one
    // Totalize Count sample; refused while rows of the ID wait to be
    // counted. Empty when set up, else why not.
    QString SetUpCounts(const QString& id, bool wholeSample, int packets);

private:
    bool EnsureBalance();

    CountSession* m_session;
    Cvyn8_rk47Doc* m_doc;
    QWidget* m_form;
    QPointer<SeedWeightDlg> m_dlg;
    std::unique_ptr<BalanceLink> m_balance;
    BalanceSettings m_settings;
    QString m_serial;
    qsizetype m_firstRecord = -1;
};
