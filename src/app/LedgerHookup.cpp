#include "app/LedgerHookup.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "data/InventoryFile.h"
#include "dialogs/LedgerExportCommand.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerSettings.h"
#include "platform/Prompter.h"

namespace {
constexpr int kRetryMilliseconds = 5000;
}  // namespace

LedgerHookup::LedgerHookup(Ledger& ledger, QStatusBar* statusBar) : m_ledger(ledger) {
    m_label = new QLabel(statusBar);
    m_label->setObjectName("LedgerStatus");
    statusBar->addPermanentWidget(m_label);
    m_retry.setInterval(kRetryMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, [this] { Report(m_ledger.Flush()); });
    ShowStatus();
}

void LedgerHookup::Start(const QString& inventoryFile) {
    InventoryMap file;
    LoadInventoryFile(inventoryFile, file);
    const QFileInfo info(inventoryFile);
    const LedgerStartReport report =
        m_ledger.Start(file, info.exists() ? info.lastModified() : QDateTime());
    if (!report.fileBehind.isEmpty() || !report.labBehind.isEmpty()) {
        // The console ended without writing the file back: it is brought up
        // to the ledger before the console reads it. What other stations
        // counted in between is only news of the lab.
        QString error;
        if (!SaveInventoryFile(inventoryFile, report.current, &error)) {
            Prompt(
                QString("%1 is behind the inventory ledger (%2) and cannot be written: %3")
                    .arg(inventoryFile, (report.fileBehind + report.labBehind).join(", "), error),
                kAppTitle, PromptIcon::Error);
        } else if (!report.fileBehind.isEmpty()) {
            Prompt(QString("The console ended last time without writing %1. It is written again "
                           "from the inventory ledger, with the later values of: %2.")
                       .arg(inventoryFile, report.fileBehind.join(", ")),
                   kAppTitle, PromptIcon::Information);
        }
    }
    if (!report.damagedKeptAs.isEmpty()) {
        Prompt(
            QString("The inventory ledger was damaged. It is kept as %1, and a new ledger starts "
                    "from the inventory of %2.")
                .arg(report.damagedKeptAs, inventoryFile),
            kAppTitle, PromptIcon::Warning);
    }
    if (!report.changedOutside.isEmpty()) {
        Prompt(QString("%1 was changed outside the console. The ledger records the new values "
                       "as corrections of: %2.")
                   .arg(inventoryFile, report.changedOutside.join(", ")),
               kAppTitle, PromptIcon::Information);
    }
    Report(report.problem);
    StartServerSync();
}

void LedgerHookup::Record(const FinalFigures& figures) {
    Report(m_ledger.Record(figures));
    if (m_sync) {
        m_sync->SendSoon();
    }
}

void LedgerHookup::NoteSaved(int recordCount, const QString& file) {
    std::vector<int> records(static_cast<size_t>(recordCount));
    for (int i = 0; i < recordCount; ++i) {
        records[static_cast<size_t>(i)] = i;
    }
    Report(m_ledger.NoteSaved(records, file));
}

void LedgerHookup::TakeSettings() {
    m_ledger.SetOperator(StoredOperator());
    const bool newStation = StoredStation() != m_ledger.Identity().station;
    m_ledger.SetStation(StoredStation());
    if (newStation || StoredServer() != m_strServer) {
        StartServerSync();
    }
    ShowStatus();
}

void LedgerHookup::StartServerSync() {
    m_sync.reset();
    m_server = ServerSyncState();
    m_bServerTold = false;
    m_strServer = StoredServer();
    if (m_strServer.isEmpty()) {
        return;
    }
    m_server.server = ServerSync::ShortName(m_strServer);
    m_sync =
        std::make_unique<ServerSync>(m_ledger.Location(), m_strServer, m_ledger.Identity().station);
    connect(m_sync.get(), &ServerSync::stateChanged, this, &LedgerHookup::TakeServerState);
}

void LedgerHookup::TakeServerState(const ServerSyncState& state) {
    m_server = state;
    if (!state.read.empty()) {
        if (m_bWindowTakes) {
            TakeFromServer(state.read);
        } else {
            m_sync->ReadAgain();
        }
    }
    if (state.problem.IsProblem() && !m_bServerTold) {
        m_bServerTold = true;
        Prompt(state.problem.Message() +
                   "\nCounting goes on: the transactions wait in this computer's ledger and are "
                   "sent when the server answers again.",
               kAppTitle, PromptIcon::Warning);
    } else if (!state.problem.IsProblem() && m_bServerTold && state.waiting == 0) {
        m_bServerTold = false;
        Prompt(QString("The ledger server %1 answers again; every transaction that waited has "
                       "been sent.")
                   .arg(state.server),
               kAppTitle, PromptIcon::Information);
    }
    ShowStatus();
}

void LedgerHookup::TakeFromServer(const std::vector<LedgerEntry>& read) {
    QStringList changed;
    if (m_ledger.TakeFromServer(read, ServerSync::ReadNote(m_strServer), &changed).IsProblem()) {
        // The ledger cannot be written now (the operator hears of it with
        // the next count): what was read comes again.
        m_sync->ReadAgain();
        return;
    }
    InventoryMap balances;
    for (const QString& id : changed) {
        if (const auto value = m_ledger.Balance(id)) {
            balances.Set(id, *value);
        }
    }
    if (balances.GetCount() > 0) {
        emit labBalancesChanged(balances);
    }
}

void LedgerHookup::Close() {
    if (!m_sync) {
        return;
    }
    TakeServerState(m_sync->SendAndWait());
    m_sync.reset();
    if (m_server.waiting > 0) {
        Prompt(QString("%1 inventory transactions wait for the ledger server %2. They are kept in "
                       "this computer's ledger and sent at the next start.")
                   .arg(m_server.waiting)
                   .arg(m_server.server),
               kAppTitle, PromptIcon::Information);
    }
}

void LedgerHookup::ExportLedger(QWidget* parent) {
    ExportLedgerInteractively(m_ledger, QString(), parent);
}

void LedgerHookup::Report(const LedgerProblem& problem) {
    if (problem.IsProblem() && problem.kind != LedgerProblem::Kind::Refused && !m_bTold) {
        m_bTold = true;
        Prompt(problem.Message() +
                   "\nCounting goes on: the inventory file is written as before, and the ledger's "
                   "transactions wait until the ledger can be written again.",
               kAppTitle, PromptIcon::Warning);
    } else if (problem.kind == LedgerProblem::Kind::Refused) {
        Prompt(problem.detail, kAppTitle, PromptIcon::Error);
    } else if (!problem.IsProblem() && m_bTold && m_ledger.Waiting().empty()) {
        m_bTold = false;
        Prompt(QString("The inventory ledger %1 is written again; every transaction that waited "
                       "is kept.")
                   .arg(m_ledger.Location()),
               kAppTitle, PromptIcon::Information);
    }
    if (m_ledger.Waiting().empty()) {
        m_retry.stop();
    } else if (!m_retry.isActive()) {
        m_retry.start();
    }
    ShowStatus();
}

QString LedgerHookup::StatusText() const {
    QString text = QString("Operator: %1").arg(m_ledger.Identity().operatorName);
    const size_t waiting = m_ledger.Waiting().size();
    if (waiting > 0) {
        text += QString("   Ledger: %1 waiting").arg(waiting);
    }
    if (!m_strServer.isEmpty()) {
        text +=
            QString("   Ledger: %1%2, %3 waiting")
                .arg(m_server.server, m_server.known && !m_server.reachable ? " unreachable" : "")
                .arg(m_server.waiting);
    }
    return text;
}

void LedgerHookup::ShowStatus() {
    m_label->setText(StatusText());
}
