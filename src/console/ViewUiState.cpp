// The small operations that switch groups of controls on and off.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"

void Cvyn8_rk47View::LockLinkSettings() {
    m_grpConnectSet->setEnabled(false);
    m_comboCom->setEnabled(false);
    m_comboBaud->setEnabled(false);
    m_btnLoadFile->setEnabled(true);
}

void Cvyn8_rk47View::UnlockLinkSettings() {
    m_grpConnectSet->setEnabled(true);
    m_comboCom->setEnabled(true);
    m_comboBaud->setEnabled(false);
    m_btnLoadFile->setEnabled(false);
}

void Cvyn8_rk47View::LockSelection() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_grpCountMode, m_comboName, m_radioTotalize, m_radioBatch,
                                         m_editID, m_btnDelete, m_listSamples, m_spinFeedSpeed}) {
        w->setEnabled(false);
    }
    HideSameAsPrevious();
}

void Cvyn8_rk47View::UnlockSelection() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_grpCountMode, m_comboName, m_radioBatch,
                                                      m_radioTotalize}) {
        w->setEnabled(true);
    }
    if (m_bBatchMode) {
        ClearIdEntry();
        m_btnDelete->setEnabled(true);
        if (m_nRowCount != 0) {
            ShowSameAsPrevious();
        }
    } else {
        m_editID->setEnabled(IdEntryOpen());
        m_btnDelete->setEnabled(false);
    }
    m_listSamples->setEnabled(true);
    m_spinFeedSpeed->setEnabled(true);
    m_editFeedSpeed->setEnabled(true);
}

void Cvyn8_rk47View::UnlockRun() {
    m_grpDisplay->setEnabled(true);
    if (m_bBatchMode) {
        m_editPackageNo->setEnabled(true);
        if (m_btnStop->isHidden()) {
            m_btnStop->show();
        }
        if (m_btnRepeat->isHidden() && m_bOptAutoDump == 0) {
            m_btnRepeat->show();
        }
    } else {
        m_editPackageNo->setEnabled(false);
        m_btnRepeat->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_editCount, m_btnDump, m_btnZero, m_btnReset,
                                                      m_btnStart, m_btnDone}) {
        w->setEnabled(true);
    }
}

void Cvyn8_rk47View::LockRun() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_grpDisplay, m_editCount, m_editPackageNo,
                                                      m_editBatchNo, m_btnStart}) {
        w->setEnabled(false);
    }
    m_btnStop->show();
    m_btnStop->setEnabled(false);
    m_btnZero->setEnabled(false);
    m_btnDump->setEnabled(false);
    m_btnRepeat->setEnabled(false);
    m_btnRepeat->hide();
    m_btnReset->setEnabled(false);
    m_btnDone->setEnabled(false);
}

void Cvyn8_rk47View::ClearIdEntry() {
    m_strBarcode.clear();
    m_editID->setText(m_strBarcode);
    if (!IdEntryOpen()) {
        // Nothing may be entered now: the focus rests on the list, where a
        // scanner's keystrokes do nothing.
        m_editID->setEnabled(false);
        if (m_listSamples->isEnabled()) {
            m_listSamples->setFocus();
        }
        return;
    }
    m_editID->setEnabled(true);
    m_editID->setFocus();
}

bool Cvyn8_rk47View::LinkLive() const {
    return m_pSerial != nullptr && m_nLinkState == LINK_CONNECTED;
}

bool Cvyn8_rk47View::SampleRunning() const {
    return m_nRunState == RUN_COUNTING || m_nRunState == RUN_ZEROED || m_nRunState == RUN_STOPPED;
}

bool Cvyn8_rk47View::IdEntryOpen() const {
    return LinkLive() && !SampleRunning();
}

void Cvyn8_rk47View::HideSameAsPrevious() {
    m_chkSameAsPrevious->hide();
    m_chkSameAsPrevious->setEnabled(false);
    m_chkSameAsPrevious->setChecked(false);
}

void Cvyn8_rk47View::ShowSameAsPrevious() {
    m_chkSameAsPrevious->show();
    m_chkSameAsPrevious->setEnabled(true);
    m_chkSameAsPrevious->setChecked(false);
}

int Cvyn8_rk47View::IsSameAsPreviousChecked() const {
    return m_chkSameAsPrevious->isChecked() ? 1 : 0;
}
