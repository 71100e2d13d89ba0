#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "labels/LabelLayout.h"
#include "labels/PacketLabels.h"

class QPrinter;

// What stands in the way of a label job, found before anything is printed.
struct LabelCheck {
    QString paper;           // the labels do not fit the paper
    QStringList tooSmall;    // IDs whose symbols do not fit their label
    QString tooSmallReason;  // why, for the first of them
    QStringList textOnly;    // IDs Code 128 cannot carry: printed as text only
    QStringList no2d;        // IDs whose 2D code could not be made
    // The labels can go to the printer (text-only labels included).
    bool CanPrint() const { return paper.isEmpty() && tooSmall.isEmpty(); }
    // The lines the layout dialog shows under its preview.
    QString Notes() const;
};

// Makes every symbol of `labels` and tries it on the label.
LabelCheck CheckLabels(const std::vector<PacketLabel>& labels, const LabelLayout& layout,
                       const QString& date);
// The text telling the operator which IDs print as text only.
QString TextOnlyMessage(const QStringList& ids);

// Sets `printer` to `layout`'s paper: the label's size for a roll, A4 for a
// sheet, drawn from the paper's corner.
void SetUpLabelPrinter(QPrinter& printer, const LabelLayout& layout);
// Draws the labels on `printer`, one a page on a roll and rows x columns on a
// sheet, over as many pages as they need (at most `maxPages` when it is not
// negative, as the preview asks). False when the job could not be started or
// a page could not be begun.
bool PrintLabelPages(QPrinter& printer, const std::vector<PacketLabel>& labels,
                     const LabelLayout& layout, const QString& date, int maxPages = -1);
// The date printed on the labels: today, as yyyy-MM-dd.
QString LabelDate();
