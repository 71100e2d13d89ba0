#include "platform/Prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class MessageBoxPrompter final : public IPrompter {
public:
    int Show(const PromptRequest& r) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(r.caption);
        box.setText(r.text);
        switch (r.icon) {
            case PromptIcon::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case PromptIcon::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case PromptIcon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case PromptIcon::Question:
                box.setIcon(QMessageBox::Question);
                break;
            case PromptIcon::None:
                break;
        }
        switch (r.buttons) {
            case PromptButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case PromptButtons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case PromptButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Yes:
                return IDYES;
            case QMessageBox::No:
                return IDNO;
            case QMessageBox::Cancel:
                return IDCANCEL;
            default:
                return IDOK;
        }
    }
};

MessageBoxPrompter g_messageBoxPrompter;
IPrompter* g_prompter = nullptr;

}  // namespace

IPrompter& GetPrompter() {
    return g_prompter ? *g_prompter : g_messageBoxPrompter;
}

void SetPrompter(IPrompter* prompter) {
    g_prompter = prompter;
}

int Prompt(const QString& text, const QString& caption, PromptIcon icon, PromptButtons buttons) {
    return GetPrompter().Show({text, caption, icon, buttons});
}

int PromptError(const QString& text, const QString& caption) {
    return Prompt(text, caption, PromptIcon::Error, PromptButtons::Ok);
}
