#pragma once

#include <QString>
#include <array>
#include <vector>

// A list of samples as Load File reads it from the sheet "vyn8" of a
// workbook (.xls or .xlsx) or from a CSV file, with the rules that turn the
// sheet's rows into rows of the sample list. Nothing here asks the operator:
// what went wrong, and the question to put first, come back as values.

// Cells of one list row, by the list's columns (No, ID, Seed, PackNo, Num/P,
// Location, Comment, Inventory, Sum); column 0 is left empty.
inline constexpr int kSampleListColumns = 9;
using SampleCells = std::array<QString, kSampleListColumns>;

// The most rows the sample list holds.
inline constexpr int kMaxSampleListRows = 65100;

struct SampleSheet {
    enum class Fault {
        None,
        NoSheet,     // a readable workbook without the sheet "vyn8"
        Unreadable,  // the file cannot be read as a list: `message` names it and says why
        Refused,     // read, but its rows cannot be loaded: `message` says why, naming the file
    };
    Fault fault = Fault::None;
    QString message;
    // The first column has no name: loading drops the sheet's first row,
    // which the operator must agree to before anything is loaded.
    bool firstColumnUnnamed = false;
    std::vector<SampleCells> rows;
    // Cells whose TABs and line breaks were replaced by spaces.
    int replacedCells = 0;
};

// The samples of the file at `path`, to be appended to a list that holds
// `rowsInList` rows already. The file is read whole first: on a fault no row
// is given.
SampleSheet ReadSampleSheet(const QString& path, qsizetype rowsInList = 0);

// A cell's name as spreadsheets show it ("A2", "AB10"), from 0-based indices.
QString CellName(unsigned row, unsigned column);
