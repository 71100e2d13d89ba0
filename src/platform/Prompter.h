#pragma once

#include <QString>

#include "platform/WinIds.h"

// Message boxes. Every message the operator sees goes through the installed
// prompter: the program installs one that shows a QMessageBox, tests install a
// recording one that answers from a script. Call only on the UI thread.

enum class PromptIcon { None, Error, Warning, Information, Question };
enum class PromptButtons { Ok, YesNo, OkCancel };

struct PromptRequest {
    QString text;
    QString caption;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
};

class IPrompter {
public:
    virtual ~IPrompter() = default;
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int Show(const PromptRequest& request) = 0;
};

// The prompter in force. Never null: until one is installed, a prompter that
// shows real message boxes is used.
IPrompter& GetPrompter();
// Installs `prompter` (not owned); nullptr restores the message-box prompter.
void SetPrompter(IPrompter* prompter);

// Shorthand for the common shapes.
int Prompt(const QString& text, const QString& caption = kAppTitle,
           PromptIcon icon = PromptIcon::None, PromptButtons buttons = PromptButtons::Ok);
// Caption "Error" with the stop icon: link and command failures.
int PromptError(const QString& text, const QString& caption = "Error");
