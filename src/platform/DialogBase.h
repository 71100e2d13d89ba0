#pragma once

#include <QDialog>

#include "platform/ControlIds.h"
#include "platform/WinIds.h"

// Base of every dialog: a QDialog with the console's modal protocol.
// DoModal() runs OnInitDialog() and then hands the dialog to the installed
// dialog runner: the program's runner calls exec(); a test's runner fills in
// fields and presses buttons by control ID, then reads the result, so no test
// depends on a nested event loop.
class CDialogBase : public QDialog {
    Q_OBJECT
public:
    explicit CDialogBase(QWidget* parent = nullptr);
    // Disconnects the controls from the dialog before QWidget deletes them.
    ~CDialogBase() override;

    int DoModal();
    // Closes the dialog with `result` (IDOK, IDCANCEL, ...).
    void EndDialog(int result) { done(result); }
    QWidget* control(int id) const { return FindControl(this, id); }
    // True once OnInitDialog has run (a runner may show the dialog itself).
    bool initialised() const { return m_bInitialised; }
    void RunInitDialog();

    // Escape and the caption's close box come here.
    void reject() override { OnCancel(); }

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    bool m_bInitialised = false;
};

class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // Runs an initialised dialog to its end; returns its result code.
    virtual int Run(CDialogBase& dialog) = 0;
};

// nullptr restores the runner that calls exec().
void SetDialogRunner(IDialogRunner* runner);
IDialogRunner& GetDialogRunner();
