#pragma once

#include <QString>

class Cvyn8_rk47Doc;
class QWidget;

namespace commands {

// Option > Save: the records under a name chosen in the save dialog, as its
// extension says. Whatever was not written is told to the operator, and the
// records then stay unsaved. Returns the file written, or empty.
QString OnSaveRecords(Cvyn8_rk47Doc& doc);

// Option > Open Sample Record: the records of a chosen record file replace
// the run's (after asking when those were never saved), then are shown.
void OnOpenSampleRecord(Cvyn8_rk47Doc& doc, QWidget* parent);

}  // namespace commands
