#include "data/Printing.h"

#include <QAbstractPrintDialog>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>

#include "data/PrintLayout.h"
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

void DrawPage(QPainter& painter, const print_layout::Page& page) {
    painter.drawLine(page.rule);
    for (const auto& t : page.texts) {
        painter.drawText(t.rect, Qt::AlignLeft | Qt::AlignTop, t.text);
    }
}

}  // namespace

void SetPrintDialog(IPrintDialog* dialog) {
    g_printDialog = dialog;
}

bool ChoosePrinter(QPrinter& printer) {
    IPrintDialog& dialog = g_printDialog ? *g_printDialog : g_qtPrintDialog;
    return dialog.Choose(printer);
}

bool PrintRecordTable(QPrinter& printer, const std::vector<std::unique_ptr<cParam>>& records,
                      const QString& barcodeTitle) {
    printer.setDocName(print_layout::kTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double scale = static_cast<double>(printer.width()) / print_layout::kUnitsAcross;
    const int pageBottom = static_cast<int>(printer.height() / scale);
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(print_layout::kFontSize);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 4));

    const auto pages =
        print_layout::LayOutTable(records, barcodeTitle, print_layout::kUnitsAcross, pageBottom);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            printer.abort();
            return false;
        }
        DrawPage(painter, pages[p]);
    }
    return painter.end();
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
