#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "data/cParam.h"

class QPrinter;

// The print dialog, behind a seam so tests can send the job to a PDF file.
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

// The print command of a sample table: the print dialog, then the table. A
// cancelled dialog prints nothing; a job that fails is reported to the
// operator.
void PrintRecords(const std::vector<std::unique_ptr<cParam>>& records, const QString& barcodeTitle);
