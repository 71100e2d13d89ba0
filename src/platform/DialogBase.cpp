#include "platform/DialogBase.h"

#include "platform/ChildSignals.h"

namespace {

class ExecRunner final : public IDialogRunner {
public:
    int Run(CDialogBase& dialog) override { return dialog.exec(); }
};

ExecRunner g_execRunner;
IDialogRunner* g_runner = nullptr;

}  // namespace

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CDialogBase::~CDialogBase() {
    // By now the derived dialog is gone; a control losing the focus while
    // QWidget deletes it must not call one of its handlers.
    DisconnectChildSignals(this);
}

void CDialogBase::RunInitDialog() {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
}

int CDialogBase::DoModal() {
    setResult(0);
    RunInitDialog();
    return GetDialogRunner().Run(*this);
}

void SetDialogRunner(IDialogRunner* runner) {
    g_runner = runner;
}

IDialogRunner& GetDialogRunner() {
    return g_runner ? *g_runner : g_execRunner;
}
