#include "data/PrintLayout.h"

#include <algorithm>

namespace print_layout {

namespace {

constexpr int kCharWidth = 60;
// Space kept clear between a cell's text and the next column.
constexpr int kCellGap = 20;

// The cells of one row, each from its column's left edge to the next
// column's (the last to `rightEdge`), so no text runs into the next column.
void AddRow(Page& page, const std::array<int, kColumns>& lefts,
            const std::array<QString, kColumns>& cells, int top, int rightEdge) {
    for (int c = 0; c < kColumns; ++c) {
        const int right = c + 1 < kColumns ? lefts[c + 1] - kCellGap : rightEdge;
        page.texts.push_back(
            {QRect(lefts[c], top, std::max(0, right - lefts[c]), kRowHeight), cells[c]});
    }
}

Page StartPage(const std::array<int, kColumns>& lefts, const std::array<QString, kColumns>& titles,
               int rightEdge) {
    Page page;
    page.texts.push_back(
        {QRect(kTitleLeft, kTitleTop, rightEdge - kTitleLeft, kRowHeight), kTitle});
    page.rule = QLine(kLeft, kRuleY, rightEdge, kRuleY);
    AddRow(page, lefts, titles, kHeaderTop, rightEdge);
    return page;
}

}  // namespace

std::array<QString, kColumns> ColumnTitles(const QString& barcodeTitle) {
    return {"No",       barcodeTitle, "Genotype", "Batch", "Num/P",
            "Residual", "Sum",        "Location", "Comm"};
}

std::array<int, kColumns> ColumnLefts(const std::array<QString, kColumns>& titles) {
    std::array<int, kColumns> lefts{};
    lefts[0] = kLeft;
    for (int c = 1; c < kColumns; ++c) {
        const int gap = c == 1 ? 50 : c == 2 ? 400 : 100;
        lefts[c] = lefts[c - 1] + kCharWidth * static_cast<int>(titles[c - 1].size()) + gap;
    }
    return lefts;
}

int RowsPerPage(int pageBottom) {
    return std::max(1, (pageBottom - kFirstRowTop) / kRowHeight);
}

std::vector<Page> LayOutTable(const std::vector<std::unique_ptr<cParam>>& records,
                              const QString& barcodeTitle, int rightEdge, int pageBottom) {
    const auto titles = ColumnTitles(barcodeTitle);
    const auto lefts = ColumnLefts(titles);
    const int perPage = RowsPerPage(pageBottom);
    std::vector<Page> pages;
    pages.push_back(StartPage(lefts, titles, rightEdge));
    int row = 0;
    for (size_t i = 0; i < records.size(); ++i, ++row) {
        if (row == perPage) {
            pages.push_back(StartPage(lefts, titles, rightEdge));
            row = 0;
        }
        const auto fields = records[i]->RecordOrder();
        std::array<QString, kColumns> cells;
        cells[0] = QString::number(i);
        std::copy(fields.begin(), fields.end(), cells.begin() + 1);
        AddRow(pages.back(), lefts, cells, kFirstRowTop + kRowHeight * row, rightEdge);
    }
    return pages;
}

}  // namespace print_layout
