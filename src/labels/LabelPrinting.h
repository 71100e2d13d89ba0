#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "labels/LabelLayout.h"
#include "labels/PacketLabels.h"

class QPrinter;

// What the operator is told about a label job before anything is printed.
// Only paper the labels do not fit stops the job: a label whose symbol
// cannot be printed readably prints without it.
struct LabelCheck {
    QString paper;            // the labels do not fit the paper
    QStringList barsLeftOut;  // IDs whose Code 128 does not fit their label
    QString barsReason;       // why, for the first of them
    bool has2d = false;       // the layout prints a 2D code on each label
    QStringList textOnly;     // IDs Code 128 cannot carry: printed as text only
    QStringList no2d;         // IDs whose 2D code could not be made or does not fit
    QStringList beyondAscii;  // IDs Code 128 carries in its extended letters
    bool CanPrint() const { return paper.isEmpty(); }
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
