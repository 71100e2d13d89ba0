#pragma once

#include <QMainWindow>
#include <QRect>
#include <QSize>

class Cvyn8_rk47Doc;
class Cvyn8_rk47View;
class Ledger;
class LedgerHookup;
class QAction;

// Command IDs of the menu and the accelerators.
enum FrameCommand {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_PRINT_RECORDS = 32771,
    ID_REVIEW_SAMPLE_OPENED = 32772,
    ID_VIEW_CURRENT_SAMPLE = 32773,
    ID_CHECK_INVENTORY = 32774,
    ID_EDIT_SEED_PARA = 32775,
    ID_SET_COUNTER = 32776,
    ID_PRINT_LABELS = 32790,
    ID_EXPORT_LEDGER = 32791,
    ID_SEED_WEIGHT = 32792,
    ID_SEED_WEIGHTS = 32793,
};

inline constexpr const char* kMainCaption = "VYN8 SEED COUNTER     Quilvane Inc. Version 2.1";

// The main window: caption, menu, accelerators and the console form; with a
// ledger, the operator and the ledger's state in the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(Cvyn8_rk47Doc* doc, Ledger* ledger = nullptr);

    Cvyn8_rk47View* view() const { return m_pView; }
    LedgerHookup* ledgerHookup() const { return m_pLedgerHookup; }
    // The menu item with that command ID, or nullptr.
    QAction* command(int id) const;
    // The frame's first placement on a screen of the given size.
    static QRect InitialGeometry(QSize screen);
    // Shrinks the frame to fit the form, never growing it.
    void ResizeParentToFit();
    // The console's start-up, then the frame shown with its fixed caption.
    void StartAndShow();

    void OnAppAbout();
    void OnHelpFinder();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    QAction* AddCommand(QMenu* menu, int id, const QString& text,
                        const QKeySequence& key = QKeySequence());

    Cvyn8_rk47Doc* m_pDoc;
    Cvyn8_rk47View* m_pView;
    LedgerHookup* m_pLedgerHookup = nullptr;
};
