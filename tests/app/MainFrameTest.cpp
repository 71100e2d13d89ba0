#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "support/TestSupport.h"

TEST(MainFrame, InitialPlacementFollowsTheScreen) {
    EXPECT_EQ(CMainFrame::InitialGeometry({1920, 1080}), QRect(120, 37, 1920, 1080));
    EXPECT_EQ(CMainFrame::InitialGeometry({1280, 1024}), QRect(80, 34, 1280, 1024));
}

TEST(MainFrame, MenuItemsIdsAndShortcuts) {
    TempWorkDir dir;
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    CMainFrame frame(&doc);
    const QList<QMenu*> menus = frame.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    QStringList popups;
    for (QAction* a : frame.menuBar()->actions()) {
        popups << a->text();
    }
    EXPECT_EQ(popups, (QStringList{"&Option", "&View", "&Help"}));

    const std::pair<int, const char*> items[] = {{57601, "&Open Sample Record"},
                                                 {57603, "&Save"},
                                                 {32771, "&Print"},
                                                 {32790, "Print &Labels..."},
                                                 {32776, "Set Counter"},
                                                 {32775, "Edit Seed Para"},
                                                 {57665, "E&xit"},
                                                 {32772, "&Review Sample Opened"},
                                                 {32774, "I.D.(Variety)"},
                                                 {32773, "Edit"},
                                                 {57667, "Manual"},
                                                 {57664, "&About vyn8_rk47..."}};
    for (const auto& [id, text] : items) {
        QAction* a = frame.command(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_EQ(a->text(), text);
        EXPECT_TRUE(a->isEnabled());
    }
    const QList<QAction*> option = frame.menuBar()->actions().at(0)->menu()->actions();
    EXPECT_EQ(option.value(option.indexOf(frame.command(32771)) + 1), frame.command(32790));
    EXPECT_EQ(frame.command(57601)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(frame.command(57603)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame.command(ID_FILE_NEW), nullptr);  // Ctrl+N has no command
    frame.view()->Shutdown();
}

TEST(MainFrame, AboutBoxShowsVersionIconAndDataFolderAndClosesWithOk) {
    TempWorkDir dir;
    ScriptedDialogRunner dialogs;
    dialogs.Then([&dir](CDialogBase& d) {
        EXPECT_EQ(d.windowTitle(), "About vyn8_rk47");
        const auto* folder = d.findChild<QLabel*>("DataFolder");
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(folder->text(), "Data folder: " + dir.Path("") + "/");
        const auto* icon = d.findChild<QLabel*>("AppIcon");
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        ClickControl(&d, IDOK);
    });
    CAboutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(MainFrame, TheWindowCarriesTheApplicationIcon) {
    TempWorkDir dir;
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    CMainFrame frame(&doc);
    ASSERT_FALSE(AppIcon().pixmap(32).isNull());
    EXPECT_EQ(frame.windowIcon().pixmap(32).toImage(), AppIcon().pixmap(32).toImage());
    frame.view()->Shutdown();
}
