#pragma once

#include <QString>

// What saving the records to a file came to. The room above words it.
struct RecordSaveResult {
    enum class Problem {
        None,             // written whole
        NoExcelDriver,    // no driver to write workbooks with: nothing tried
        NotWritten,       // nothing written; `reason` says why
        SheetLimit,       // too much for an Excel 97-2003 sheet; `reason` says what and what to do
        WorkbookRefused,  // the workbook could not be made under this name
    };
    Problem problem = Problem::None;
    QString reason;

    bool Saved() const { return problem == Problem::None; }
};
