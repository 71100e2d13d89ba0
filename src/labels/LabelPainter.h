#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include "labels/LabelLayout.h"
#include "labels/PacketLabels.h"

class BarcodeSymbol;
class QPainter;

// The narrowest bar (and the smallest 2D cell) a label may print with, the
// widest bar it uses, and the lowest bars a scanner still reads well.
inline constexpr double kMinModuleMm = 0.25;
inline constexpr double kMaxModuleMm = 0.5;
inline constexpr double kMinBarHeightMm = 5.0;
// Blank border inside each label.
inline constexpr double kLabelPaddingMm = 1.5;

// Where the parts of one label go, in millimetres from the label's top left
// corner.
struct LabelPlan {
    QRectF barcode;  // the Code 128, quiet zones included (empty: none)
    QRectF code2d;   // the 2D code (empty when none)
    QRectF lines;    // the text lines, under the bars when there are bars
    double lineHeight = 0;
    QStringList texts;  // the ID first, then the fields chosen
    // Why a symbol made for the label was left out of it (it would not fit
    // at a size a scanner reads); empty when it was not.
    QString barsLeftOut;
    QString code2dLeftOut;
};

// The text lines of `label`: the ID, then the seed, "Packet n of N" and the
// seeds (one line), the date, the location and the comment, as `fields`
// choose (location and comment only when the record has them).
QStringList LabelTexts(const PacketLabel& label, const LabelFields& fields, const QString& date);

// Lays out a label of `layout`'s size for `label`. `bars` and `code2d` are
// the symbols made for it (null or not ok: that symbol is left out). A symbol
// that does not fit is left out too, never drawn too fine to read: the label
// keeps what fits, and its text.
LabelPlan PlanLabel(const LabelLayout& layout, const PacketLabel& label, const QString& date,
                    const BarcodeSymbol* bars, const BarcodeSymbol* code2d);

// Draws a planned label with its top left corner at `origin` (painter units
// are millimetres).
void DrawLabel(QPainter& painter, const QPointF& origin, const LabelPlan& plan,
               const BarcodeSymbol* bars, const BarcodeSymbol* code2d);
