// vyn8-ledger: balances, histories, exports and a check of the inventory
// ledger a console keeps in its data folder.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>

#include "LedgerCommands.h"
#include "platform/DataFolder.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The console's names, so that the user's data folder is the console's.
    QCoreApplication::setOrganizationName("Quilvane Inc.");
    QCoreApplication::setApplicationName("vyn8_rk47");
    QCoreApplication::setApplicationVersion("2.1");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The VYN8 console's inventory ledger.\n\n"
        "  balance ID                  the inventory of ID\n"
        "  history ID                  every transaction of ID\n"
        "  export --csv|--brapi FILE [ID]\n"
        "                              the ledger (or ID's history) as CSV or BrAPI JSON\n"
        "  check                       balances against vyn8_inventory.txt, sequence gaps");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir("data-dir", "The console's data folder DIR.", "DIR");
    parser.addOption(dataDir);
    parser.addPositionalArgument("command", "balance, history, export or check.");
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(app);

    const QString named =
        parser.isSet(dataDir) ? parser.value(dataDir) : qEnvironmentVariable("VYN8_DATA_DIR");
    const QString folder =
        ChooseDataFolder({named, ProgramFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunLedgerCommand(folder, parser.positionalArguments(), {out, err});
}
