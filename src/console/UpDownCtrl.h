#pragma once

#include <QWidget>

class QToolButton;

// The up-down control beside the Feed Speed edit. It keeps a position within
// its range and, on each step, reports the position before the step and the
// step itself; it does not write into the edit by itself.
class UpDownCtrl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownCtrl(QWidget* parent = nullptr);

    void SetRange(int lower, int upper);
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    void SetPos(int pos);
    int Pos() const { return m_nPos; }
    // One step up (+1) or down (-1), as a click on an arrow.
    void Step(int delta);

signals:
    // iPos is the position before the step; the step is then applied.
    void deltaPos(int iPos, int iDelta);

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};
