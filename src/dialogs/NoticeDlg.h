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

// "Waiting for Dumping and Cleaning...": shown while the counter dumps.
class DumDlg35 : public CNoticeDlg {
    Q_OBJECT
public:
    enum { IDD = 132 };
    explicit DumDlg35(QWidget* parent = nullptr);
};

// "Sample Ready !": shown when the counter reports that a sample is ready.
class Sample35 : public CNoticeDlg {
    Q_OBJECT
public:
    enum { IDD = 135 };
    explicit Sample35(QWidget* parent = nullptr);
};
