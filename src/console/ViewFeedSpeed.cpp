// The feed speed while the counter runs: the spin, and each row's own speed.

#include <QLineEdit>

#include "console/Cvyn8_rk47View.h"
#include "console/LinkReports.h"
#include "link/CounterFrames.h"
#include "platform/NumText.h"

void Cvyn8_rk47View::OnDeltaposFeedSpeed(int iPos, int /*iDelta*/) {
    // The counter and the edit get the position before this step: they stay
    // one step behind the spin itself.
    m_nFeedSpeed = iPos;
    const QString speed = QString::number(m_nFeedSpeed);
    if (m_nRunState >= RUN_COUNTING && m_nRunState <= RUN_STOPPED &&
        SendToCounter(frames::FeedSpeed(speed), FrameSender::FeedSpeed) == SendResult::Failed) {
        ReleaseChannel();
    }
    m_editFeedSpeed->setText(speed);
    ClearIdEntry();
}

void Cvyn8_rk47View::SendRowFeedSpeed(int row) {
    const QString comment = m_model->Cell(row, SampleListModel::Comment);
    if (comment.isEmpty() || WToI(comment) == 0) {
        RestoreFeedSpeed();
        return;
    }
    m_bSpeedOverride = 1;
    if (SendToCounter(frames::FeedSpeed(comment), FrameSender::FeedSpeed) == SendResult::Failed) {
        ReleaseChannel();
    }
}

void Cvyn8_rk47View::RestoreFeedSpeed() {
    if (m_bSpeedOverride != 1) {
        return;
    }
    m_bSpeedOverride = 0;
    if (SendToCounter(frames::FeedSpeed(m_strFeedSpeed), FrameSender::FeedSpeed) ==
        SendResult::Failed) {
        ReleaseChannel();
    }
}
