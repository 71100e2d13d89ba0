#include "console/SeedWeightStation.h"

#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/SeedWeightDlg.h"
#include "link/BalanceLink.h"
#include "platform/Prompter.h"
#include "session/CountSession.h"

SeedWeightStation::SeedWeightStation(CountSession* session, Cvyn8_rk47Doc* doc, QWidget* form)
    : QObject(form), m_session(session), m_doc(doc), m_form(form) {
    connect(m_session, &CountSession::recordsChanged, this, [this] {
        if (m_dlg) {
            m_dlg->Refresh();
        }
    });
}

SeedWeightDlg* SeedWeightStation::Dialog() const {
    return m_dlg.data();
}

SeedWeightStation::~SeedWeightStation() {
    delete m_dlg.data();
}

void SeedWeightStation::Open(const QString& id) {
    // A determination under way stays, closed or not, until it is kept.
    if (m_dlg && m_dlg->Finished()) {
        delete m_dlg.data();
        m_firstRecord = -1;
    }
    if (m_dlg) {
        m_dlg->show();
        m_dlg->raise();
        m_dlg->activateWindow();
        return;
    }
    SeedWeightDlg::Hooks hooks;
    hooks.setUpCounts = [this](const QString& forId, SeedWeightDlg::Method method, int packets) {
        return SetUpCounts(forId, method == SeedWeightDlg::Method::WholeSample, packets);
    };
    hooks.seed = [this] { return m_doc->m_seedNames.value(m_session->SeedIndex()); };
    hooks.records = [this] {
        std::vector<const cParam*> out;
        const qsizetype n = m_doc->RecordCount();
        // Records discarded since (a new list after a save) start it afresh.
        for (qsizetype i = m_firstRecord < 0 || m_firstRecord > n ? n : m_firstRecord; i < n; ++i) {
            out.push_back(m_doc->m_records[static_cast<size_t>(i)].get());
        }
        return out;
    };
    hooks.hasBalance = [this] { return StoredBalanceSettings().Enabled(); };
    hooks.weigh = [this] {
        if (!EnsureBalance()) {
            return false;
        }
        if (m_balance->Waiting()) {
            Prompt("The balance is still answering; weigh again in a moment.", "Balance",
                   PromptIcon::Information);
            return false;
        }
        return m_balance->Weigh();
    };
    hooks.balanceSerial = [this] { return m_serial; };
    m_dlg = new SeedWeightDlg(std::move(hooks), id, m_form);
    m_dlg->setWindowFlag(Qt::Window);
    m_dlg->RunInitDialog();
    m_dlg->show();
    if (StoredBalanceSettings().Enabled()) {
        EnsureBalance();
    }
}

QString SeedWeightStation::SetUpCounts(const QString& id, bool wholeSample, int packets) {
    if (!m_session->IdEntryOpen()) {
        return "Connect to the counter, and let the sample being counted finish, before the "
               "counts are set up.";
    }
    const RowTable& rows = m_session->Rows();
    for (int r = 0; r < rows.Count(); ++r) {
        if (rows.Cell(r, RowTable::Id) == id && rows.State(r) != RowTable::Counted) {
            return QStringLiteral(
                       "The counts of %1 set up before are not all counted yet: "
                       "press Start on the form.")
                .arg(id);
        }
    }
    if (!m_session->RoomForRows(1)) {
        return "The list has no room for the counts.";
    }
    const qsizetype before = m_doc->RecordCount();
    // The operator's own steps on the form: the count mode, the ID, and the
    // Data Input row when the session asks for one.
    wholeSample ? m_session->ChooseTotalize() : m_session->ChooseBatch();
    if (m_session->ScanId(id) == EntryStep::AskRows) {
        m_session->AddEntryRow(wholeSample ? EntryRow{id, "0", "1", {}, {}}
                                           : EntryRow{id, QString::number(packets), "100", {}, {}});
        m_session->EndEntry();
    }
    if (m_firstRecord < 0 || m_firstRecord > m_doc->RecordCount()) {
        m_firstRecord = std::min(before, m_doc->RecordCount());
    }
    return QString();
}

void SeedWeightStation::SettingsChanged() {
    if (StoredBalanceSettings() == m_settings && m_balance && m_balance->IsOpen()) {
        return;
    }
    m_balance.reset();
    m_serial.clear();
    if (m_dlg && StoredBalanceSettings().Enabled()) {
        EnsureBalance();
    }
}

bool SeedWeightStation::EnsureBalance() {
    if (m_balance && m_balance->IsOpen()) {
        return true;
    }
    m_settings = StoredBalanceSettings();
    if (!m_settings.Enabled()) {
        return false;
    }
    m_balance = std::make_unique<BalanceLink>([this](const BalanceLink::Event& e) {
        if (e.kind == BalanceLink::Event::Serial) {
            m_serial = e.text;
            return;
        }
        if (!m_dlg || e.request == "I4") {
            return;  // a balance without a serial number weighs all the same
        }
        if (e.unasked && !m_dlg->isVisible()) {
            return;  // the print key pressed with no determination on screen
        }
        if (e.kind == BalanceLink::Event::Weight) {
            m_dlg->OnBalanceWeight(e.grams);
        } else if (e.kind == BalanceLink::Event::Failure) {
            m_dlg->OnBalanceFailure(e.text);
        }
    });
    const line::LineSpec spec{m_settings.baud, m_settings.dataBits, m_settings.parity,
                              m_settings.stopBits};
    const QString error = m_balance->Open(m_settings.port, spec);
    if (!error.isEmpty()) {
        m_balance.reset();
        Prompt(error, "Balance", PromptIcon::Error);
        return false;
    }
    m_balance->AskSerial();
    return true;
}
