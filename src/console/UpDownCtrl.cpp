#include "console/UpDownCtrl.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

UpDownCtrl::UpDownCtrl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(1000);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    m_up->setAccessibleName("Feed Speed up");
    m_down->setAccessibleName("Feed Speed down");
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownCtrl::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
    m_nPos = std::clamp(m_nPos, m_nLower, m_nUpper);
}

void UpDownCtrl::SetPos(int pos) {
    m_nPos = std::clamp(pos, m_nLower, m_nUpper);
}

void UpDownCtrl::Step(int delta) {
    if (!isEnabled()) {
        return;
    }
    // Like the original control, the notice comes also at a limit, so the
    // edit, one step behind, can still reach the limit itself.
    const int before = m_nPos;
    emit deltaPos(before, delta);
    m_nPos = std::clamp(before + delta, m_nLower, m_nUpper);
}
