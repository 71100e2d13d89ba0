#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QUrl>
#include <QWhatsThis>

#include "app/CAboutDlg.h"
#include "app/LedgerHookup.h"
#include "app/commands/PrintCommands.h"
#include "app/commands/RecordFileCommands.h"
#include "app/commands/RecordViewCommands.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/SeedWeightFile.h"
#include "dialogs/SeedWeightsDlg.h"
#include "platform/DataFolder.h"
#include "platform/Prompter.h"

CMainFrame::CMainFrame(Cvyn8_rk47Doc* doc, Ledger* ledger) : m_pDoc(doc) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle("vyn8_rk47");
    setWindowIcon(AppIcon());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(InitialGeometry(screen->size()));
    }
    m_pView = new Cvyn8_rk47View(doc, this);
    setCentralWidget(m_pView);
    if (ledger) {
        m_pLedgerHookup = new LedgerHookup(*ledger, statusBar());
        m_pLedgerHookup->setParent(this);
        // Every inventory change a closed sample makes becomes a transaction;
        // the inventory file follows.
        m_pView->WriteInventoryAfterLedger();
        connect(&m_pView->session(), &CountSession::figuresFinal, m_pLedgerHookup,
                [this](const FinalFigures& figures) {
                    m_pLedgerHookup->Record(figures);
                    m_pView->KeepInventorySafe();
                });
        connect(m_pLedgerHookup, &LedgerHookup::labBalancesChanged, m_pView,
                &Cvyn8_rk47View::TakeLabBalances);
    }
    BuildMenu();
}

QRect CMainFrame::InitialGeometry(QSize screen) {
    const int w = screen.width();
    const int h = screen.height();
    const int x = ((w * 5) / 4 - w) / 4;
    const int y = ((h * 5) / 4 - h) / 4 - 30;
    return QRect(x, y, w, h);
}

void CMainFrame::ResizeParentToFit() {
    const QSize fit = sizeHint().expandedTo(minimumSizeHint());
    resize(std::min(width(), fit.width()), std::min(height(), fit.height()));
}

void CMainFrame::StartAndShow() {
    // The ledger first: it compares itself with the inventory file before
    // the console reads it.
    if (m_pLedgerHookup) {
        m_pLedgerHookup->Start(QDir(DataFolder()).filePath(kInventoryFileName));
    }
    m_pView->OnInitialUpdate();
    if (m_pLedgerHookup && m_pView->InventoryLoaded()) {
        m_pLedgerHookup->WindowTakesBalances();
    }
    ResizeParentToFit();
    show();
    setWindowTitle(kMainCaption);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& key) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setData(id);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    return action;
}

QAction* CMainFrame::command(int id) const {
    return findChild<QAction*>(QStringLiteral("ID_%1").arg(id));
}

void CMainFrame::BuildMenu() {
    Cvyn8_rk47Doc* doc = m_pDoc;
    Cvyn8_rk47View* view = m_pView;

    QMenu* option = menuBar()->addMenu("&Option");
    connect(AddCommand(option, ID_FILE_OPEN, "&Open Sample Record", QKeySequence("Ctrl+O")),
            &QAction::triggered, this, [this, doc, view] {
                // The sample being counted makes a record of its own: opened
                // records would take its place.
                const CountSession& session = view->session();
                if (session.SampleBeingCounted() || session.DumpAwaited()) {
                    Prompt("A sample is being counted. Open the records once it is closed.",
                           kAppTitle, PromptIcon::Information);
                    return;
                }
                commands::OnOpenSampleRecord(*doc, this);
            });
    connect(AddCommand(option, ID_FILE_SAVE, "&Save", QKeySequence("Ctrl+S")), &QAction::triggered,
            this, [this, doc, view] {
                const QString saved = commands::OnSaveRecords(*doc);
                // Saved records are no longer kept as unsaved work.
                view->KeepUnsavedWorkSafe();
                if (m_pLedgerHookup && !saved.isEmpty()) {
                    m_pLedgerHookup->NoteSaved(static_cast<int>(doc->RecordCount()), saved);
                }
            });
    if (m_pLedgerHookup) {
        LedgerHookup* ledger = m_pLedgerHookup;
        connect(AddCommand(option, ID_EXPORT_LEDGER, "&Export Ledger..."), &QAction::triggered,
                this, [this, ledger] { ledger->ExportLedger(this); });
    }
    connect(AddCommand(option, ID_PRINT_RECORDS, "&Print"), &QAction::triggered, this,
            [doc] { commands::OnPrintRecords(*doc); });
    connect(AddCommand(option, ID_PRINT_LABELS, "Print &Labels..."), &QAction::triggered, this,
            [this, doc] { commands::OnPrintLabels(*doc, this); });
    option->addSeparator();
    QAction* setup = AddCommand(option, ID_SET_COUNTER, "Set Counter");
    connect(setup, &QAction::triggered, view, &Cvyn8_rk47View::OnSetCounter);
    if (m_pLedgerHookup) {
        // Setup may have changed the operator.
        connect(setup, &QAction::triggered, m_pLedgerHookup, &LedgerHookup::TakeSettings);
    }
    connect(AddCommand(option, ID_EDIT_SEED_PARA, "Edit Seed Para"), &QAction::triggered, view,
            &Cvyn8_rk47View::OnEditSeedPara);
    connect(AddCommand(option, ID_SEED_WEIGHT, "Seed &Weight..."), &QAction::triggered, view,
            &Cvyn8_rk47View::OnSeedWeight);
    option->addSeparator();
    connect(AddCommand(option, ID_APP_EXIT, "E&xit"), &QAction::triggered, this, &QWidget::close);

    QMenu* viewMenu = menuBar()->addMenu("&View");
    connect(AddCommand(viewMenu, ID_REVIEW_SAMPLE_OPENED, "&Review Sample Opened"),
            &QAction::triggered, this, [this, doc] { commands::OnReviewSampleOpened(*doc, this); });
    connect(AddCommand(viewMenu, ID_CHECK_INVENTORY, "I.D.(Variety)"), &QAction::triggered, this,
            [this, doc] {
                commands::OnCheckInventory(*doc, this, m_pLedgerHookup,
                                           QDir(DataFolder()).filePath(kInventoryFileName));
            });
    connect(AddCommand(viewMenu, ID_VIEW_CURRENT_SAMPLE, "Edit"), &QAction::triggered, this,
            [this, doc] { commands::OnViewCurrentSample(*doc, this); });

    connect(AddCommand(viewMenu, ID_SEED_WEIGHTS, "Seed Weights"), &QAction::triggered, this,
            [this] {
                SeedWeightsDlg dlg(QDir(DataFolder()).filePath(kSeedWeightFileName), this);
                dlg.DoModal();
            });

    QMenu* help = menuBar()->addMenu("&Help");
    connect(AddCommand(help, ID_HELP_FINDER, "Manual"), &QAction::triggered, this,
            &CMainFrame::OnHelpFinder);
    help->addSeparator();
    connect(AddCommand(help, ID_APP_ABOUT, "&About vyn8_rk47..."), &QAction::triggered, this,
            &CMainFrame::OnAppAbout);

    // Accelerators without a menu item: Shift+F1 enters context help and F1
    // opens the manual. The other standard keys (Ctrl+N, undo, cut, copy,
    // paste, pane switching) have no command at frame level.
    auto* contextHelp = new QShortcut(QKeySequence("Shift+F1"), this);
    contextHelp->setObjectName(QStringLiteral("ID_%1").arg(ID_CONTEXT_HELP));
    connect(contextHelp, &QShortcut::activated, this, [] { QWhatsThis::enterWhatsThisMode(); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName(QStringLiteral("ID_%1").arg(ID_HELP));
    connect(f1, &QShortcut::activated, this, &CMainFrame::OnHelpFinder);
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnHelpFinder() {
    const QString manual = ShippedFile(ProgramFolder(), "manual.html");
    if (!manual.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_pView->MayEndCount("Closing the program")) {
        event->ignore();
        return;
    }
    m_pView->Shutdown();
    if (m_pLedgerHookup) {
        m_pLedgerHookup->Close();
    }
    event->accept();
}
