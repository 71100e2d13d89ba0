#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "data/cParam.h"

class QPrinter;

// Printing of sample tables on a printer chosen in the print dialog. The
// print dialog sits behind a seam, so tests can send the job to a PDF file.
class IPrintDialog {
public:
    virtual ~IPrintDialog() = default;
    // Lets the operator set up `printer`; false when cancelled.
    virtual bool Choose(QPrinter& printer) = 0;
};

// nullptr restores the dialog that shows QPrintDialog.
void SetPrintDialog(IPrintDialog* dialog);
// Lets the operator set up `printer` in the installed print dialog; false
// when cancelled.
bool ChoosePrinter(QPrinter& printer);

// Draws the table of `records` on `printer`, scaled so the layout's width
// fills the printable width, over as many pages as it needs in one job.
// False when the job could not be started or a page could not be begun.
bool PrintRecordTable(QPrinter& printer, const std::vector<std::unique_ptr<cParam>>& records,
                      const QString& barcodeTitle);

// The print commands: the print dialog, then the table. A cancelled dialog
// prints nothing; a job that fails is reported to the operator.
void PrintRecords(const std::vector<std::unique_ptr<cParam>>& records, const QString& barcodeTitle);
