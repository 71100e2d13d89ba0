// Export of the records to a workbook. (Filled in with the workbooks.)

#include "data/Cvyn8_rk47Doc.h"

int Cvyn8_rk47Doc::ExportToExcel(const QString&, const QString&) {
    return 1;
}
void Cvyn8_rk47Doc::FormatInsert(int, const QString&, QString&) const {}
