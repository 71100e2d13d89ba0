#pragma once

class Cvyn8_rk47Doc;
class QWidget;

namespace commands {

// Option > Print: the table of the records through the print dialog.
void OnPrintRecords(const Cvyn8_rk47Doc& doc);

// Option > Print Labels...: the labels of the records through the Label
// Layout dialog (its choices kept in the program's settings) and the print
// dialog. No record, too many labels, a job the printer refuses and IDs that
// print as text only are each told to the operator.
void OnPrintLabels(const Cvyn8_rk47Doc& doc, QWidget* parent);

}  // namespace commands
