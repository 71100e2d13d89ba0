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
        "  check                       balances against vyn8_inventory.txt, sequence gaps;\n"
        "                              with --server: the server's gaps, what waits to be sent\n"
        "  init-server                 make or migrate the ledger on the --server\n"
        "  sync                        send this station's waiting transactions to the --server\n"
        "  stations                    each station's last sequence and time on the --server");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir("data-dir", "The console's data folder DIR.", "DIR");
    parser.addOption(dataDir);
    const QCommandLineOption server(
        "server", "The lab's ledger on a PostgreSQL server (a libpq connection string).",
        "CONNINFO");
    parser.addOption(server);
    parser.addPositionalArgument("command",
                                 "balance, history, export, check, init-server, sync or stations.");
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(app);

    const QString named =
        parser.isSet(dataDir) ? parser.value(dataDir) : qEnvironmentVariable("VYN8_DATA_DIR");
    const QString folder =
        ChooseDataFolder({named, ProgramFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunLedgerCommand(folder, parser.positionalArguments(), {out, err}, parser.value(server));
}
