#include "dialogs/PrintDialog.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "data/Printing.h"
#include "platform/Prompter.h"

namespace {

class QtPrintDialog final : public IPrintDialog {
public:
    bool Choose(QPrinter& printer) override {
        QPrintDialog dlg(&printer);
        dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dlg.exec() == QDialog::Accepted;
    }
};

QtPrintDialog g_qtPrintDialog;
IPrintDialog* g_printDialog = nullptr;

}  // namespace

void SetPrintDialog(IPrintDialog* dialog) {
    g_printDialog = dialog;
}

bool ChoosePrinter(QPrinter& printer) {
    IPrintDialog& dialog = g_printDialog ? *g_printDialog : g_qtPrintDialog;
    return dialog.Choose(printer);
}

void PrintRecords(const std::vector<std::unique_ptr<cParam>>& records,
                  const QString& barcodeTitle) {
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(printer)) {
        return;
    }
    if (!PrintRecordTable(printer, records, barcodeTitle)) {
        Prompt("The records could not be printed: the printer did not accept the job.", kAppTitle,
               PromptIcon::Error);
    }
}
