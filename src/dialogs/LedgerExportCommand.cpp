#include "dialogs/LedgerExportCommand.h"

#include <QFileInfo>

#include "ledger/Ledger.h"
#include "ledger/LedgerExport.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

void ExportLedgerInteractively(Ledger& ledger, const QString& id, QWidget*) {
    FileDialogRequest request;
    request.save = true;
    request.filter = "CSV file (*.csv);;BrAPI SeedLot transactions (*.json)";
    request.defaultExt = "csv";
    request.initialName = id.isEmpty() ? QString("vyn8_ledger.csv") : id + "_history.csv";
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
        return;
    }
    const LedgerWalk walk = [&ledger, &id](const auto& visit) { return ledger.ForEach(id, visit); };
    QString error;
    const bool json = QFileInfo(path).suffix().compare("json", Qt::CaseInsensitive) == 0;
    const bool ok =
        json ? ExportLedgerBrapi(walk, path, &error) : ExportLedgerCsv(walk, path, &error);
    if (!ok) {
        Prompt(QString("The ledger was not exported: %1 cannot be written (%2).").arg(path, error),
               kAppTitle, PromptIcon::Error);
    }
}
