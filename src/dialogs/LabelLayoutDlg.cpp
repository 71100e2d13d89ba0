#include "dialogs/LabelLayoutDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kFieldCaptions[] = {"Seed name",        "Packet n of N", "Seeds in the packet",
                                      "Date of printing", "Location",      "Comment"};
const char* const kCode2DNames[] = {"None", "QR Code", "Data Matrix"};

QDoubleSpinBox* MakeMm(QWidget* parent, int id, const QString& name, double lo, double hi) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setRange(lo, hi);
    spin->setDecimals(1);
    spin->setSingleStep(0.5);
    spin->setSuffix(QStringLiteral(" mm"));
    SetControlId(spin, id, name);
    return spin;
}

QSpinBox* MakeCount(QWidget* parent, int id, const QString& name, int hi) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(1, hi);
    SetControlId(spin, id, name);
    return spin;
}

bool* FieldFlag(LabelFields& f, size_t i) {
    bool* flags[] = {&f.seed, &f.packet, &f.seeds, &f.date, &f.location, &f.comment};
    return flags[i];
}

}  // namespace

LabelLayoutDlg::LabelLayoutDlg(QWidget* parent)
    : CDialogBase(parent), m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle("Label Layout");

    m_cmbPreset = new QComboBox(this);
    for (const LabelPreset& p : LabelPresets()) {
        m_cmbPreset->addItem(p.name);
    }
    m_cmbPreset->addItem("Custom");
    SetControlId(m_cmbPreset, IDC_PRESET, "Label");
    m_radRoll = new QRadioButton("Roll: one label a page", this);
    SetControlId(m_radRoll, IDC_ROLL, m_radRoll->text());
    m_radSheet = new QRadioButton("A4 sheet: rows x columns", this);
    SetControlId(m_radSheet, IDC_SHEET, m_radSheet->text());
    m_spnWidth = MakeMm(this, IDC_WIDTH, "Label width", kMinLabelSide, kMaxLabelSide);
    m_spnHeight = MakeMm(this, IDC_HEIGHT, "Label height", kMinLabelSide, kMaxLabelSide);
    m_spnColumns = MakeCount(this, IDC_COLUMNS, "Columns", 20);
    m_spnRows = MakeCount(this, IDC_ROWS, "Rows", 30);
    m_spnMarginLeft = MakeMm(this, IDC_MARGIN_LEFT, "Left margin", 0, kA4Width);
    m_spnMarginTop = MakeMm(this, IDC_MARGIN_TOP, "Top margin", 0, kA4Height);
    m_spnGapAcross = MakeMm(this, IDC_GAP_ACROSS, "Gap across", 0, kA4Width);
    m_spnGapDown = MakeMm(this, IDC_GAP_DOWN, "Gap down", 0, kA4Height);
    m_cmbCode2D = new QComboBox(this);
    for (const char* name : kCode2DNames) {
        m_cmbCode2D->addItem(name);
    }
    SetControlId(m_cmbCode2D, IDC_CODE2D, "2D code");
    for (size_t i = 0; i < std::size(kFieldCaptions); ++i) {
        auto* box = new QCheckBox(kFieldCaptions[i], this);
        SetControlId(box, IDC_SHOW_SEED + static_cast<int>(i), box->text());
        m_chkFields.push_back(box);
    }

    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    SetControlId(m_preview, IDC_PREVIEW, "Preview of the first page");
    m_preview->setMinimumSize(360, 300);
    m_lblNotes = new QLabel(this);
    SetControlId(m_lblNotes, IDC_NOTES, "Notes");
    m_lblNotes->setWordWrap(true);
    m_lblNotes->setStyleSheet("color: #b00000");
    m_btnPrint = new QPushButton("Print...", this);
    SetControlId(m_btnPrint, IDOK, "Print");
    m_btnPrint->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    SetControlId(cancel, IDCANCEL, "Cancel");

    auto* form = new QFormLayout;
    form->addRow("Label", m_cmbPreset);
    form->addRow(m_radRoll);
    form->addRow(m_radSheet);
    form->addRow("Width", m_spnWidth);
    form->addRow("Height", m_spnHeight);
    form->addRow("Columns", m_spnColumns);
    form->addRow("Rows", m_spnRows);
    form->addRow("Left margin", m_spnMarginLeft);
    form->addRow("Top margin", m_spnMarginTop);
    form->addRow("Gap across", m_spnGapAcross);
    form->addRow("Gap down", m_spnGapDown);
    form->addRow("2D code", m_cmbCode2D);
    auto* printed = new QGroupBox("Printed besides the ID barcode", this);
    auto* printedLayout = new QVBoxLayout(printed);
    for (QCheckBox* box : m_chkFields) {
        printedLayout->addWidget(box);
    }
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(printed);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(m_preview, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnPrint);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_lblNotes);
    layout->addLayout(buttons);

    connect(m_cmbPreset, &QComboBox::currentIndexChanged, this,
            [this](int index) { OnPresetChanged(index); });
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(m_radRoll), static_cast<QAbstractButton*>(m_radSheet)}) {
        connect(b, &QAbstractButton::toggled, this, [this] { OnLayoutEdited(); });
    }
    for (QDoubleSpinBox* spin :
         {m_spnWidth, m_spnHeight, m_spnMarginLeft, m_spnMarginTop, m_spnGapAcross, m_spnGapDown}) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { OnLayoutEdited(); });
    }
    for (QSpinBox* spin : {m_spnColumns, m_spnRows}) {
        connect(spin, &QSpinBox::valueChanged, this, [this] { OnLayoutEdited(); });
    }
    connect(m_cmbCode2D, &QComboBox::currentIndexChanged, this, [this] { OnLayoutEdited(); });
    for (QCheckBox* box : m_chkFields) {
        connect(box, &QCheckBox::toggled, this, [this] { OnLayoutEdited(); });
    }
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { PaintPreview(printer); });
    connect(m_btnPrint, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

LabelLayoutDlg::~LabelLayoutDlg() = default;

bool LabelLayoutDlg::OnInitDialog() {
    ShowLayout(m_layout);
    Refresh();
    m_btnPrint->setFocus();
    return true;
}

void LabelLayoutDlg::OnOK() {
    m_layout = ReadLayout();
    if (!m_check.CanPrint()) {
        return;  // the notes under the preview say why
    }
    EndDialog(IDOK);
}

void LabelLayoutDlg::ShowLayout(const LabelLayout& l) {
    m_bShowing = true;
    const int preset = PresetIndexOf(l);
    m_cmbPreset->setCurrentIndex(preset < 0 ? m_cmbPreset->count() - 1 : preset);
    (l.paper == LabelPaper::Sheet ? m_radSheet : m_radRoll)->setChecked(true);
    m_spnWidth->setValue(l.width);
    m_spnHeight->setValue(l.height);
    m_spnColumns->setValue(l.columns);
    m_spnRows->setValue(l.rows);
    m_spnMarginLeft->setValue(l.marginLeft);
    m_spnMarginTop->setValue(l.marginTop);
    m_spnGapAcross->setValue(l.gapAcross);
    m_spnGapDown->setValue(l.gapDown);
    m_cmbCode2D->setCurrentIndex(static_cast<int>(l.code2d));
    LabelFields f = l.fields;
    for (size_t i = 0; i < m_chkFields.size(); ++i) {
        m_chkFields[i]->setChecked(*FieldFlag(f, i));
    }
    m_bShowing = false;
}

LabelLayout LabelLayoutDlg::ReadLayout() const {
    LabelLayout l;
    l.paper = m_radSheet->isChecked() ? LabelPaper::Sheet : LabelPaper::Roll;
    l.width = m_spnWidth->value();
    l.height = m_spnHeight->value();
    l.columns = m_spnColumns->value();
    l.rows = m_spnRows->value();
    l.marginLeft = m_spnMarginLeft->value();
    l.marginTop = m_spnMarginTop->value();
    l.gapAcross = m_spnGapAcross->value();
    l.gapDown = m_spnGapDown->value();
    l.code2d = static_cast<LabelCode2D>(m_cmbCode2D->currentIndex());
    for (size_t i = 0; i < m_chkFields.size(); ++i) {
        *FieldFlag(l.fields, i) = m_chkFields[i]->isChecked();
    }
    return l;
}

void LabelLayoutDlg::OnPresetChanged(int index) {
    if (m_bShowing || index < 0 || index >= static_cast<int>(LabelPresets().size())) {
        return;  // "Custom" keeps the sizes in the fields for editing
    }
    ShowLayout(WithPresetGeometry(ReadLayout(), index));
    Refresh();
}

void LabelLayoutDlg::OnLayoutEdited() {
    if (m_bShowing) {
        return;
    }
    const int preset = PresetIndexOf(ReadLayout());
    m_bShowing = true;
    m_cmbPreset->setCurrentIndex(preset < 0 ? m_cmbPreset->count() - 1 : preset);
    m_bShowing = false;
    Refresh();
}

void LabelLayoutDlg::Refresh() {
    const LabelLayout l = ReadLayout();
    const bool sheet = l.paper == LabelPaper::Sheet;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_spnColumns, m_spnRows, m_spnMarginLeft, m_spnMarginTop,
                                         m_spnGapAcross, m_spnGapDown}) {
        w->setEnabled(sheet);
    }
    static const std::vector<PacketLabel> kNone;
    m_check = CheckLabels(m_pLabels ? *m_pLabels : kNone, l, m_strDate);
    m_lblNotes->setText(m_check.Notes());
    m_lblNotes->setVisible(!m_lblNotes->text().isEmpty());
    m_btnPrint->setEnabled(m_check.CanPrint());
    SetUpLabelPrinter(*m_previewPrinter, l);
    m_preview->updatePreview();
}

void LabelLayoutDlg::PaintPreview(QPrinter* printer) {
    ++m_nPreviewPaints;
    if (m_pLabels && m_check.paper.isEmpty()) {
        PrintLabelPages(*printer, *m_pLabels, ReadLayout(), m_strDate, 1);
    }
}
