#include "labels/LabelLayout.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace {

// Settings keys.
const QString kGroup = QStringLiteral("Labels");
const QString kPaper = QStringLiteral("Paper");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kColumns = QStringLiteral("Columns");
const QString kRows = QStringLiteral("Rows");
const QString kMarginLeft = QStringLiteral("MarginLeft");
const QString kMarginTop = QStringLiteral("MarginTop");
const QString kGapAcross = QStringLiteral("GapAcross");
const QString kGapDown = QStringLiteral("GapDown");
const QString kCode2D = QStringLiteral("Code2D");
const QString kFieldKeys[] = {"ShowSeed", "ShowPacket",   "ShowSeeds",
                              "ShowDate", "ShowLocation", "ShowComment"};

bool* FieldFlags(LabelFields& f, int i) {
    bool* flags[] = {&f.seed, &f.packet, &f.seeds, &f.date, &f.location, &f.comment};
    return flags[i];
}

LabelLayout Roll(double w, double h) {
    LabelLayout l;
    l.width = w;
    l.height = h;
    return l;
}

LabelLayout A4Sheet3x8() {
    LabelLayout l;
    l.paper = LabelPaper::Sheet;
    l.width = 63.5;
    l.height = 33.9;
    l.columns = 3;
    l.rows = 8;
    l.marginLeft = 7.2;
    l.marginTop = 12.9;
    l.gapAcross = 2.5;
    l.gapDown = 0;
    return l;
}

bool Near(double a, double b) {
    return std::abs(a - b) < 0.05;
}

// `value` when it is a number in [lo, hi], else `fallback`.
double Within(const QVariant& value, double lo, double hi, double fallback) {
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok && v >= lo && v <= hi ? v : fallback;
}

}  // namespace

QSizeF LabelLayout::PageSize() const {
    return paper == LabelPaper::Roll ? QSizeF(width, height) : QSizeF(kA4Width, kA4Height);
}

int LabelLayout::LabelsPerPage() const {
    return paper == LabelPaper::Roll ? 1 : std::max(1, columns) * std::max(1, rows);
}

QRectF LabelLayout::LabelRect(int index) const {
    if (paper == LabelPaper::Roll) {
        return QRectF(0, 0, width, height);
    }
    const int across = std::max(1, columns);
    const int col = index % across;
    const int row = index / across;
    return QRectF(marginLeft + col * (width + gapAcross), marginTop + row * (height + gapDown),
                  width, height);
}

QString LabelLayout::PaperProblem() const {
    if (width < kMinLabelSide || height < kMinLabelSide || width > kMaxLabelSide ||
        height > kMaxLabelSide) {
        return QStringLiteral("A label must be %1 to %2 mm on each side.")
            .arg(kMinLabelSide)
            .arg(kMaxLabelSide);
    }
    if (paper == LabelPaper::Roll) {
        return QString();
    }
    const QRectF last = LabelRect(LabelsPerPage() - 1);
    if (last.right() > kA4Width + 0.05 || last.bottom() > kA4Height + 0.05) {
        return QStringLiteral(
                   "%1 x %2 labels of %3 x %4 mm with these margins and gaps need %5 x %6 mm: "
                   "more than an A4 sheet (210 x 297 mm).")
            .arg(columns)
            .arg(rows)
            .arg(width)
            .arg(height)
            .arg(last.right(), 0, 'f', 1)
            .arg(last.bottom(), 0, 'f', 1);
    }
    return QString();
}

bool LabelLayout::SameGeometry(const LabelLayout& o) const {
    if (paper != o.paper || !Near(width, o.width) || !Near(height, o.height)) {
        return false;
    }
    return paper == LabelPaper::Roll ||
           (columns == o.columns && rows == o.rows && Near(marginLeft, o.marginLeft) &&
            Near(marginTop, o.marginTop) && Near(gapAcross, o.gapAcross) &&
            Near(gapDown, o.gapDown));
}

const std::vector<LabelPreset>& LabelPresets() {
    static const std::vector<LabelPreset> presets = {
        {QStringLiteral("Roll, 50 x 25 mm"), Roll(50, 25)},
        {QStringLiteral("Roll, 57 x 32 mm"), Roll(57, 32)},
        {QStringLiteral("A4 sheet, 3 x 8 labels of 63.5 x 33.9 mm"), A4Sheet3x8()},
    };
    return presets;
}

int PresetIndexOf(const LabelLayout& layout) {
    const auto& presets = LabelPresets();
    for (size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].layout.SameGeometry(layout)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LabelLayout WithPresetGeometry(const LabelLayout& layout, int preset) {
    LabelLayout out = LabelPresets().at(static_cast<size_t>(preset)).layout;
    out.code2d = layout.code2d;
    out.fields = layout.fields;
    return out;
}

LabelLayout LoadLabelLayout(QSettings& s) {
    const LabelLayout d = LabelPresets().front().layout;
    LabelLayout l;
    s.beginGroup(kGroup);
    l.paper = s.value(kPaper).toString() == "sheet" ? LabelPaper::Sheet : LabelPaper::Roll;
    l.width = Within(s.value(kWidth), kMinLabelSide, kMaxLabelSide, d.width);
    l.height = Within(s.value(kHeight), kMinLabelSide, kMaxLabelSide, d.height);
    l.columns = static_cast<int>(Within(s.value(kColumns), 1, 20, d.columns));
    l.rows = static_cast<int>(Within(s.value(kRows), 1, 30, d.rows));
    l.marginLeft = Within(s.value(kMarginLeft), 0, kA4Width, d.marginLeft);
    l.marginTop = Within(s.value(kMarginTop), 0, kA4Height, d.marginTop);
    l.gapAcross = Within(s.value(kGapAcross), 0, kA4Width, d.gapAcross);
    l.gapDown = Within(s.value(kGapDown), 0, kA4Height, d.gapDown);
    const QString code = s.value(kCode2D).toString();
    l.code2d = code == "qr"           ? LabelCode2D::QrCode
               : code == "datamatrix" ? LabelCode2D::DataMatrix
                                      : LabelCode2D::None;
    for (int i = 0; i < 6; ++i) {
        *FieldFlags(l.fields, i) = s.value(kFieldKeys[i], true).toBool();
    }
    s.endGroup();
    return l;
}

void SaveLabelLayout(QSettings& s, const LabelLayout& l) {
    s.beginGroup(kGroup);
    s.setValue(kPaper, l.paper == LabelPaper::Sheet ? "sheet" : "roll");
    s.setValue(kWidth, l.width);
    s.setValue(kHeight, l.height);
    s.setValue(kColumns, l.columns);
    s.setValue(kRows, l.rows);
    s.setValue(kMarginLeft, l.marginLeft);
    s.setValue(kMarginTop, l.marginTop);
    s.setValue(kGapAcross, l.gapAcross);
    s.setValue(kGapDown, l.gapDown);
    s.setValue(kCode2D, l.code2d == LabelCode2D::QrCode       ? "qr"
                        : l.code2d == LabelCode2D::DataMatrix ? "datamatrix"
                                                              : "none");
    LabelFields f = l.fields;
    for (int i = 0; i < 6; ++i) {
        s.setValue(kFieldKeys[i], *FieldFlags(f, i));
    }
    s.endGroup();
}
