// The operator's commands on the form, each handed to the count session;
// the Data Input series and the Setup options, which the form asks for.

#include <QComboBox>
#include <QLineEdit>

#include "console/Cvyn8_rk47View.h"
#include "console/SeedWeightStation.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/Setupalert.h"
#include "dialogs/cBatch35.h"

void Cvyn8_rk47View::OnTotalizeCount() {
    m_session->ChooseTotalize();
}

void Cvyn8_rk47View::OnBatchCount() {
    m_session->ChooseBatch();
}

void Cvyn8_rk47View::OnStart() {
    m_session->Start();
}

void Cvyn8_rk47View::OnStop() {
    m_session->Stop();
}

void Cvyn8_rk47View::OnZero() {
    m_session->Zero();
}

void Cvyn8_rk47View::OnDump() {
    m_session->Dump();
}

void Cvyn8_rk47View::OnRepeat() {
    m_session->Repeat();
}

void Cvyn8_rk47View::OnDone() {
    m_session->Done();
}

void Cvyn8_rk47View::OnReset() {
    m_session->Reset();
}

void Cvyn8_rk47View::OnDelete() {
    m_session->Delete();
}

void Cvyn8_rk47View::OnIdEnter() {
    const QString id = m_editID->text();
    if (!m_session->LoadedList()) {
        m_model->SetPlainColours(Qt::black, m_model->PlainBack());
    }
    if (m_session->ScanId(id) != EntryStep::AskRows) {
        return;
    }
    // The Data Input series: one dialog per row until Cancel or "Done".
    const CountSession& s = *m_session;
    bool more = true;
    while (more && m_session->RoomForRows(1)) {
        cBatch35 dlg(this, id);
        dlg.m_strBatch = QString::number(s.SampleRowCount() + 1);
        dlg.m_bPacketEntry = s.Mode() == CountMode::Batch ? 1 : 0;
        dlg.m_bShowLocation = s.Opts().locationComment ? 1 : 0;
        if (dlg.DoModal() != IDOK) {
            break;  // Cancel adds nothing and ends the series
        }
        m_session->AddEntryRow({dlg.m_strID, dlg.m_strPackets, dlg.m_strSeedsPerPacket,
                                dlg.m_strLocation, dlg.m_strComments});
        more = dlg.m_bContinue == 1;
    }
    m_session->EndEntry();
}

void Cvyn8_rk47View::OnSelchangeCom() {
    const int sel = m_comboCom->currentIndex();
    if (sel < 0) {
        m_comboCom->setEditText(m_strComPort);
        return;
    }
    m_strComPort = m_comboCom->itemText(sel);
}

void Cvyn8_rk47View::OnSelchangeBaud() {
    const int sel = m_comboBaud->currentIndex();
    if (sel < 0) {
        m_comboBaud->setEditText(m_strBaud);
        return;
    }
    m_strBaud = m_comboBaud->itemText(sel);
}

void Cvyn8_rk47View::OnSelchangeName() {
    m_session->ChooseSeed(m_comboName->currentIndex());
}

void Cvyn8_rk47View::OnDeltaposFeedSpeed(int iPos, int /*iDelta*/) {
    m_session->FeedSpeedStep(iPos);
}

bool Cvyn8_rk47View::ExchangeFeedSpeed() {
    bool ok = false;
    const int value = m_editFeedSpeed->text().trimmed().toInt(&ok);
    if (!ok || value < 10 || value > 200) {
        Prompt("Please enter an integer between 10 and 200.", kAppTitle, PromptIcon::Warning);
        m_editFeedSpeed->setFocus();
        m_editFeedSpeed->selectAll();
        return false;
    }
    m_session->FeedSpeedAccepted(value);
    return true;
}

void Cvyn8_rk47View::OnSetCounter() {
    // "Set Counter": the console's three options.
    CountSession::Options options = m_session->Opts();
    Setupalert dlg(this);
    dlg.m_bSampleReadyDialog = options.sampleReadyNotice ? 1 : 0;
    dlg.m_bAutoDump = options.autoDump ? 1 : 0;
    dlg.m_bLocationCommentRequired = options.locationComment ? 1 : 0;
    dlg.DoModal();
    // OK has stored the boxes; after Cancel the values given come back.
    options.sampleReadyNotice = dlg.m_bSampleReadyDialog != 0;
    options.autoDump = dlg.m_bAutoDump != 0;
    options.locationComment = dlg.m_bLocationCommentRequired == 1;
    m_session->SetOptions(options);
    if (m_pSeedWeight) {
        m_pSeedWeight->SettingsChanged();  // the balance may have changed
    }
}

void Cvyn8_rk47View::OnSeedWeight() {
    if (!m_pSeedWeight) {
        m_pSeedWeight = new SeedWeightStation(m_session, m_pDoc, this);
    }
    m_pSeedWeight->Open(m_editID->text().trimmed());
}
