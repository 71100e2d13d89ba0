#pragma once

#include <QLine>
#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "data/cParam.h"

// The printed sample table, laid out in its own units: the title and a rule,
// a row of nine column titles, then one row 100 units high per record. Every
// page repeats the title, the rule and the column titles. Each cell reaches
// to the next column, the last one to the right edge.
namespace print_layout {

constexpr int kColumns = 9;
constexpr int kLeft = 400;
constexpr int kTitleLeft = 900;
constexpr int kTitleTop = 300;
constexpr int kRuleY = 400;
constexpr int kHeaderTop = 500;
constexpr int kRowHeight = 100;
constexpr int kFirstRowTop = kHeaderTop + kRowHeight;
// The printable width in layout units. The cells reach to it, so the comment
// column (which starts at 4210) has room on paper.
constexpr int kUnitsAcross = 4800;
// The font's pixel size in layout units.
constexpr int kFontSize = 72;

inline const QString kTitle = QStringLiteral("VYN8_1 Data");

struct Text {
    // Drawn on one line from the top left corner; a text wider than the
    // rectangle is cut and ends in an ellipsis.
    QRect rect;
    QString text;
};

struct Page {
    std::vector<Text> texts;
    QLine rule;
};

// The column titles; column 1 is "Barcode", or "BarCode" from View/Edit.
std::array<QString, kColumns> ColumnTitles(const QString& barcodeTitle);
// Left edges: each column starts 60 units per character of the previous
// title past the previous one, plus 50 after column 0, 400 after column 1 and
// 100 after the others.
std::array<int, kColumns> ColumnLefts(const std::array<QString, kColumns>& titles);
// Record rows that fit between the column titles and `pageBottom`.
int RowsPerPage(int pageBottom);
// The pages of the table of `records`; at least one page, even with none.
std::vector<Page> LayOutTable(const std::vector<std::unique_ptr<cParam>>& records,
                              const QString& barcodeTitle, int rightEdge, int pageBottom);

}  // namespace print_layout
