#pragma once

#include <memory>
#include <vector>

#include "labels/LabelLayout.h"
#include "labels/LabelPrinting.h"
#include "labels/PacketLabels.h"
#include "platform/DialogBase.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Label Layout: the label size (a preset or custom), the sheet's margins and
// gaps, the 2D code and the fields printed, with a preview of the first page.
// m_layout goes in and, after Print, comes out; m_pLabels and m_strDate are
// what the preview shows. Print stays off while the labels cannot be printed
// (they do not fit the paper, or their symbols do not fit them), and the
// lines under the preview say why.
class LabelLayoutDlg : public CDialogBase {
    Q_OBJECT
public:
    enum Control {
        IDC_PRESET = 1201,
        IDC_ROLL = 1202,
        IDC_SHEET = 1203,
        IDC_WIDTH = 1204,
        IDC_HEIGHT = 1205,
        IDC_COLUMNS = 1206,
        IDC_ROWS = 1207,
        IDC_MARGIN_LEFT = 1208,
        IDC_MARGIN_TOP = 1209,
        IDC_GAP_ACROSS = 1210,
        IDC_GAP_DOWN = 1211,
        IDC_CODE2D = 1212,
        IDC_SHOW_SEED = 1213,
        IDC_SHOW_PACKET = 1214,
        IDC_SHOW_SEEDS = 1215,
        IDC_SHOW_DATE = 1216,
        IDC_SHOW_LOCATION = 1217,
        IDC_SHOW_COMMENT = 1218,
        IDC_PREVIEW = 1219,
        IDC_NOTES = 1220,
    };

    explicit LabelLayoutDlg(QWidget* parent = nullptr);
    ~LabelLayoutDlg() override;

    LabelLayout m_layout;
    const std::vector<PacketLabel>* m_pLabels = nullptr;
    QString m_strDate;
    // The check of the layout in the controls, as the preview shows it.
    const LabelCheck& check() const { return m_check; }
    int previewPaints() const { return m_nPreviewPaints; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ShowLayout(const LabelLayout& layout);
    LabelLayout ReadLayout() const;
    void OnPresetChanged(int index);
    void OnLayoutEdited();
    void Refresh();
    void PaintPreview(QPrinter* printer);

    QComboBox* m_cmbPreset = nullptr;
    QRadioButton* m_radRoll = nullptr;
    QRadioButton* m_radSheet = nullptr;
    QDoubleSpinBox* m_spnWidth = nullptr;
    QDoubleSpinBox* m_spnHeight = nullptr;
    QSpinBox* m_spnColumns = nullptr;
    QSpinBox* m_spnRows = nullptr;
    QDoubleSpinBox* m_spnMarginLeft = nullptr;
    QDoubleSpinBox* m_spnMarginTop = nullptr;
    QDoubleSpinBox* m_spnGapAcross = nullptr;
    QDoubleSpinBox* m_spnGapDown = nullptr;
    QComboBox* m_cmbCode2D = nullptr;
    std::vector<QCheckBox*> m_chkFields;
    QLabel* m_lblNotes = nullptr;
    QPushButton* m_btnPrint = nullptr;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget* m_preview = nullptr;
    LabelCheck m_check;
    bool m_bShowing = false;  // the controls are being filled, not edited
    int m_nPreviewPaints = 0;
};
