#pragma once

#include <QString>
#include <functional>

#include "platform/DialogBase.h"

class QLabel;

// A notice of one line with an OK button, shown while the console waits for
// the counter. It is opened without a nested event loop: OpenNotice returns
// at once, and the console carries on in `closed` when the notice goes away,
// whether the operator pressed OK or the console closed it through its own
// pointer. The notice deletes itself after `closed` has run.
class CNoticeDlg : public CDialogBase {
    Q_OBJECT
public:
    CNoticeDlg(const QString& caption, const QString& text, QWidget* parent);

    // Opens the notice window-modal over its parent and returns at once.
    void OpenNotice(std::function<void(int result)> closed);
    // The console's close, as a close request would: the result is IDCANCEL.
    void CloseNotice();
    QString Text() const;

private:
    QLabel* m_text;
};
