#pragma once

#include "platform/Prompter.h"

// Stands in for the message boxes while a target runs: answers OK and keeps
// the last text, so a target can tell whether the operator was told.
class FuzzPrompter : public IPrompter {
public:
    FuzzPrompter() { SetPrompter(this); }
    ~FuzzPrompter() override { SetPrompter(nullptr); }
    int Show(const PromptRequest& request) override {
        last = request.text;
        ++shown;
        return IDOK;
    }
    QString last;
    int shown = 0;
};
