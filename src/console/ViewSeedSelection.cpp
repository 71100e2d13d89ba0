// COM, BAUD and Name selection.

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"
#include "platform/NumText.h"

void Cvyn8_rk47View::OnSelchangeCom() {
    const int sel = m_comboCom->currentIndex();
    if (sel < 0) {
        m_comboCom->setEditText(m_strComPort);
        return;
    }
    m_strComPort = m_comboCom->itemText(sel);
}

void Cvyn8_rk47View::OnSelchangeBaud() {
    const int sel = m_comboBaud->currentIndex();
    if (sel < 0) {
        m_comboBaud->setEditText(m_strBaud);
        return;
    }
    m_strBaud = m_comboBaud->itemText(sel);
}

void Cvyn8_rk47View::OnSelchangeName() {
    m_nSeedIndex = m_comboName->currentIndex();
    if (m_nSeedIndex < 0) {
        m_nSeedIndex = 0;
    }
    const QString name = m_pDoc->m_seedNames.value(m_nSeedIndex);
    // Only the sample being entered takes the new seed. A loaded list has
    // none between scans: its rows keep the seeds they were loaded with.
    if (m_nRowCount > 0 && m_bManualList) {
        for (int k = m_nCurPacket; k < std::min(m_nSampleRowCount, kSampleRowTable); ++k) {
            m_model->SetCell(m_nSampleRows[static_cast<size_t>(k)], SampleListModel::Seed, name);
        }
    }
    ShowSeedSet(m_nSeedIndex);
    m_spinFeedSpeed->SetPos(static_cast<qint16>(WToI(m_strFeedSpeed)));
    ClearIdEntry();
}
