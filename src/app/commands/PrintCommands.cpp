#include "app/commands/PrintCommands.h"

#include <QPrinter>
#include <QSettings>

#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/LabelLayoutDlg.h"
#include "dialogs/PrintDialog.h"
#include "labels/LabelPrinting.h"
#include "platform/Prompter.h"

namespace commands {

void OnPrintRecords(const Cvyn8_rk47Doc& doc) {
    PrintRecords(doc.m_records, "Barcode");
}

void OnPrintLabels(const Cvyn8_rk47Doc& doc, QWidget* parent) {
    const qint64 count = LabelCountOf(doc.m_records);
    if (count == 0) {
        Prompt("There are no records to print labels for.", kAppTitle, PromptIcon::Information);
        return;
    }
    if (count > kMaxLabelsPerJob) {
        Prompt(QString("The records ask for %1 labels; at most %2 can be printed in one go.")
                   .arg(count)
                   .arg(kMaxLabelsPerJob),
               kAppTitle, PromptIcon::Warning);
        return;
    }
    const std::vector<PacketLabel> labels = LabelsFromRecords(doc.m_records);
    QSettings settings;
    LabelLayoutDlg dlg(parent);
    dlg.m_layout = LoadLabelLayout(settings);
    dlg.m_pLabels = &labels;
    dlg.m_strDate = LabelDate();
    if (dlg.DoModal() != IDOK) {
        return;
    }
    SaveLabelLayout(settings, dlg.m_layout);

    QPrinter printer(QPrinter::HighResolution);
    SetUpLabelPrinter(printer, dlg.m_layout);
    if (!ChoosePrinter(printer)) {
        return;
    }
    SetUpLabelPrinter(printer, dlg.m_layout);  // the page is the label layout's
    if (!PrintLabelPages(printer, labels, dlg.m_layout, dlg.m_strDate)) {
        Prompt("The labels could not be printed: the printer did not accept the job.", kAppTitle,
               PromptIcon::Error);
        return;
    }
    if (!dlg.check().textOnly.isEmpty()) {
        Prompt(TextOnlyMessage(dlg.check().textOnly), kAppTitle, PromptIcon::Warning);
    }
}

}  // namespace commands
