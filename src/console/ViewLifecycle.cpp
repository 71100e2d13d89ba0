// Start-up and shut-down of the console.

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/RecordFile.h"
#include "data/SeedParaFile.h"
#include "link/CounterPort.h"
#include "platform/ChildSignals.h"
#include "platform/DataFolder.h"
#include "platform/NumText.h"
#include "platform/Prompter.h"

namespace {

constexpr int kInventoryCapacity = 65000;
const char* const kComPorts[] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                 "COM6", "COM7", "COM8", "COM9"};
const char* const kBaudRates[] = {"110", "300", "600", "1200", "2400", "4800", "9600", "19200"};

void ReportWriteFailure(const QString& path, const QString& reason, const QString& consequence) {
    Prompt(QStringLiteral("Could not write %1 (%2). %3").arg(path, reason, consequence), kAppTitle,
           PromptIcon::Error);
}

}  // namespace

Cvyn8_rk47View::~Cvyn8_rk47View() {
    Shutdown();
    // The list's model watches the session's rows: it goes first, not in
    // whatever order QObject deletes the children.
    delete m_model;
    m_model = nullptr;
    // Nothing the children send while QWidget's destructor deletes them may
    // reach this view: the Feed Speed edit, for one, reports editingFinished
    // when it loses the focus on its way out.
    DisconnectChildSignals(this);
}

void Cvyn8_rk47View::OnInitialUpdate() {
    m_pDoc->m_inventory.Reserve(kInventoryCapacity);

    m_comboCom->clear();
    for (const char* port : kComPorts) {
        m_comboCom->addItem(port);
    }
    m_comboBaud->clear();
    for (const char* baud : kBaudRates) {
        m_comboBaud->addItem(baud);
    }
    m_comboCom->setCurrentIndex(0);
    m_comboBaud->setCurrentIndex(m_comboBaud->findText("9600"));
    m_strComPort = "COM1";
    m_strBaud = "9600";

    m_strExeFolder = ::DataFolder();
    KeepEarlierUnsavedRecords();
    QString seedProblem;
    m_nSeedSetCount = LoadSeedParaFile(m_strExeFolder + "SeedPara.txt", *m_pDoc, &seedProblem);
    if (!seedProblem.isEmpty()) {
        // Once, whatever the number of wrong lines; their sets are never sent.
        Prompt(seedProblem, kAppTitle, PromptIcon::Warning);
    }
    if (m_nSeedSetCount == 0) {
        if (seedProblem.isEmpty()) {
            PromptError("Missing SeedPara.txt file");
        }
        return;
    }
    QString inventoryProblem;
    LoadInventoryFile(m_strExeFolder + "vyn8_inventory.txt", m_pDoc->m_inventory,
                      &inventoryProblem);
    if (!inventoryProblem.isEmpty()) {
        Prompt(inventoryProblem, kAppTitle, PromptIcon::Warning);
    }
    m_bInventoryLoaded = true;

    m_comboName->clear();
    for (int k = 0; k < m_nSeedSetCount; ++k) {
        m_comboName->addItem(m_pDoc->m_seedNames[k]);
    }
    m_comboName->setCurrentIndex(0);
    m_spinFeedSpeed->SetRange(2, 200);

    m_model->InsertColumns();
    const int widths[SampleListModel::kColumns] = {50, 110, 100, 60, 60, 100, 100, 100, 100};
    for (int c = 0; c < SampleListModel::kColumns; ++c) {
        m_listSamples->setColumnWidth(c, widths[c]);
    }
    const QPalette pal = m_listSamples->palette();
    m_model->SetPlainColours(pal.color(QPalette::Active, QPalette::Text),
                             pal.color(QPalette::Active, QPalette::Base));
    m_session->StartUp();
}

void Cvyn8_rk47View::Shutdown() {
    if (m_bShutdownDone) {
        return;
    }
    m_bShutdownDone = true;
    // A count still running ends here: what was counted goes into the files.
    m_session->Shutdown();
    SaveShutdownFiles();
    ShutdownLink();
    m_pDoc->DiscardRecords();
}

bool Cvyn8_rk47View::WriteUnsavedRecords(QString* path, QString* error) {
    const Cvyn8_rk47Doc& doc = *m_pDoc;
    *path = m_strExeFolder + "VYN8_Default.txt";
    if (!doc.HoldsUnsavedWork()) {
        // Saved records are kept elsewhere: the file this run wrote must not
        // hold them, or the next start would take them for records never
        // saved. A file of an earlier run that could not be set aside stays.
        if (!m_bDefaultWritten) {
            return true;
        }
        QFile file(*path);
        if (file.exists() && !file.remove()) {
            *error = file.errorString();
            return false;
        }
        m_bDefaultWritten = false;
        return true;
    }
    const bool written = WriteRecordFile(*path, doc.m_records, RecordFieldOrder::Shutdown, error);
    m_bDefaultWritten = m_bDefaultWritten || written;
    return written;
}

bool Cvyn8_rk47View::WriteInventoryBack(QString* path, QString* error) const {
    *path = m_strExeFolder + "vyn8_inventory.txt";
    // Start-up that ended early never read the inventory: writing the empty
    // map back would erase every sample's inventory.
    if (!m_bInventoryLoaded) {
        return true;
    }
    return SaveInventoryFile(*path, m_pDoc->m_inventory, error);
}

void Cvyn8_rk47View::SaveShutdownFiles() {
    Cvyn8_rk47Doc& doc = *m_pDoc;
    QString path;
    QString error;
    if (!WriteUnsavedRecords(&path, &error)) {
        ReportWriteFailure(path, error, "The unsaved records of this run could not be kept.");
    }
    if (doc.m_nSaveState == RECORDS_UNSAVED) {
        doc.DiscardRecords();
    }
    if (!WriteInventoryBack(&path, &error)) {
        ReportWriteFailure(path, error, "The inventory changes of this run are lost.");
    }
    if (m_bInventoryLoaded) {
        doc.m_inventory.RemoveAll();
    }
}
