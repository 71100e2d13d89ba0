// "Set Counter": the console's three options.

#include <QPushButton>

#include "console/Cvyn8_rk47View.h"
#include "dialogs/Setupalert.h"

void Cvyn8_rk47View::OnSetCounter() {
    Setupalert dlg(this);
    dlg.m_bSampleReadyDialog = m_bOptSampleReadyDialog;
    dlg.m_bAutoDump = m_bOptAutoDump;
    dlg.m_bLocationCommentRequired = m_bOptLocationComment;
    dlg.DoModal();
    // OK has stored the boxes; after Cancel the values given come back.
    m_bOptSampleReadyDialog = dlg.m_bSampleReadyDialog;
    m_bOptAutoDump = dlg.m_bAutoDump;
    m_bOptLocationComment = dlg.m_bLocationCommentRequired;
    if (m_bOptAutoDump == 1) {
        m_btnRepeat->setVisible(m_btnRepeat->isHidden());
    }
    ClearIdEntry();
}
