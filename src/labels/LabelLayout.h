#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class QSettings;

// How packet labels sit on paper. All lengths are millimetres.
enum class LabelPaper { Roll, Sheet };  // a roll: one label a page; a sheet: rows x columns
enum class LabelCode2D { None, QrCode, DataMatrix };

// What a label shows besides the ID barcode and its text.
struct LabelFields {
    bool seed = true;
    bool packet = true;
    bool seeds = true;
    bool date = true;
    bool location = true;  // printed only when the record has one
    bool comment = true;   // printed only when the record has one
    bool operator==(const LabelFields&) const = default;
};

struct LabelLayout {
    LabelPaper paper = LabelPaper::Roll;
    double width = 50;
    double height = 25;
    // A sheet's labels: columns and rows, the margins from the page's left
    // and top edges to the first label, and the gaps between labels.
    int columns = 1;
    int rows = 1;
    double marginLeft = 0;
    double marginTop = 0;
    double gapAcross = 0;
    double gapDown = 0;
    LabelCode2D code2d = LabelCode2D::None;
    LabelFields fields;

    // The paper: the label itself on a roll, an A4 page for a sheet.
    QSizeF PageSize() const;
    int LabelsPerPage() const;
    // Where label `index` (from 0, counted along the rows) of a page lies.
    QRectF LabelRect(int index) const;
    // Why the labels do not fit on the page; empty when they do.
    QString PaperProblem() const;
    // Same sheet or roll geometry (the symbol and the fields aside).
    bool SameGeometry(const LabelLayout& other) const;
};

struct LabelPreset {
    QString name;
    LabelLayout layout;
};

// The ready-made layouts: 50 x 25 mm and 57 x 32 mm roll labels and an A4
// sheet of 3 x 8 labels.
const std::vector<LabelPreset>& LabelPresets();
// The preset with `layout`'s geometry, or -1 for a custom layout.
int PresetIndexOf(const LabelLayout& layout);
// `preset`'s geometry with `layout`'s symbol and fields.
LabelLayout WithPresetGeometry(const LabelLayout& layout, int preset);

// The layout remembered in the program's settings (the first preset when
// none is, values out of range replaced by the preset's).
LabelLayout LoadLabelLayout(QSettings& settings);
void SaveLabelLayout(QSettings& settings, const LabelLayout& layout);

inline constexpr double kA4Width = 210;
inline constexpr double kA4Height = 297;
inline constexpr double kMinLabelSide = 10;
inline constexpr double kMaxLabelSide = 300;
