#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CloseOnSignal.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerSettings.h"
#include "platform/DataFolder.h"
#include "platform/Prompter.h"

namespace {

// Picks the data folder (--data-dir, VYN8_DATA_DIR, a SeedPara.txt beside the
// program, or the user's own folder), makes it on the first start and says
// once when it cannot be made or written.
void SetUpDataFolder(const QString& named) {
    const QString program = ProgramFolder();
    SetDataFolder(ChooseDataFolder(
        {named, program, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)}));
    const QString problem = PrepareDataFolder(DataFolder(), DefaultSeedParaFile(program));
    if (!problem.isEmpty()) {
        Prompt(problem, kAppTitle, PromptIcon::Error);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CloseOnSignal();
    QApplication::setOrganizationName("Quilvane Inc.");
    QApplication::setApplicationName("vyn8_rk47");
    QApplication::setApplicationVersion("2.1");
    QApplication::setDesktopFileName("com.quilvane.vyn8_rk47");
    QApplication::setWindowIcon(AppIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("VYN8 seed counter console");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(
        "data-dir", "Keep SeedPara.txt, the inventory and the unsaved records in DIR.", "DIR");
    parser.addOption(dataDir);
    parser.process(app);
    SetUpDataFolder(parser.isSet(dataDir) ? parser.value(dataDir)
                                          : qEnvironmentVariable("VYN8_DATA_DIR"));

    // The per-user profile: a recent-file list of four entries (not shown in
    // the menu).
    QSettings profile;
    QStringList recent;
    for (int i = 1; i <= 4; ++i) {
        const QString f =
            profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) {
            recent << f;
        }
    }

    Cvyn8_rk47Doc doc;
    // Every inventory change of this run becomes a transaction of the data
    // folder's ledger, named by the station, the operator and this run.
    Ledger ledger(DataFolder(),
                  {StoredStation(), StoredOperator(),
                   QDateTime::currentDateTimeUtc().toString("yyyyMMdd'T'HHmmss.zzz'Z'")});
    CMainFrame frame(&doc, &ledger);
    frame.StartAndShow();
    if (CloseRequested()) {
        frame.close();
        return 0;
    }
    return app.exec();
}
