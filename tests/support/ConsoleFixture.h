#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <memory>

#include "console/UpDownCtrl.h"

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "support/FormControls.h"
#include "support/TestSupport.h"

// A console started in a temporary folder holding three seed sets, with a
// recording prompter, a scripted dialog runner and a scripted file chooser.
class ConsoleFixture : public ::testing::Test {
protected:
    void SetUp() override { StartConsole(kThreeSeedSets); }
    void StartConsole(const QByteArray& seedPara) {
        if (!seedPara.isNull()) {
            dir.Write("SeedPara.txt", seedPara);
        }
        doc = std::make_unique<Cvyn8_rk47Doc>();
        view = std::make_unique<Cvyn8_rk47View>(doc.get());
        view->OnInitialUpdate();
    }
    void TearDown() override {
        if (view) {
            view->Shutdown();
        }
        view.reset();
        doc.reset();
    }
    QWidget* ctl(int id) const { return view->control(id); }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    ScriptedFileChooser files;
    std::unique_ptr<Cvyn8_rk47Doc> doc;
    std::unique_ptr<Cvyn8_rk47View> view;
};
