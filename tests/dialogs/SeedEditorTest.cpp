#include <QComboBox>
#include <QLineEdit>

#include "dialogs/SeedAdd35.h"
#include "dialogs/cSeedname35.h"
#include "support/ConsoleFixture.h"

namespace {

using Ed = cSeedname35;
using Add = SeedAdd35;

QStringList ComboItems(QWidget* root, int id) {
    auto* combo = FindControlAs<QComboBox>(root, id);
    QStringList out;
    for (int i = 0; combo && i < combo->count(); ++i) {
        out << combo->itemText(i);
    }
    return out;
}

class SeedEditor : public ConsoleFixture {
protected:
    // The Add Seed Form filled with `name` and the four values, then OK.
    void ThenAddForm(const QString& name, const QStringList& values = {"", "", "", ""}) {
        dialogs.Then([=](CDialogBase& d) {
            SetControlText(&d, Add::IDC_ADD_SEEDNAME, name);
            const int ids[] = {Add::IDC_ADD_FEEDSPEED, Add::IDC_ADD_GATEHOR, Add::IDC_ADD_GATEVER,
                               Add::IDC_ADD_SENSITIVITY};
            for (int i = 0; i < 4; ++i) {
                SetControlText(&d, ids[i], values[i]);
            }
            ClickControl(&d, IDOK);
        });
    }
    QStringList SetOf(int k) const {
        return {doc->m_seedNames[k], doc->m_feedSpeeds[k], doc->m_gateHors[k], doc->m_gateVers[k],
                doc->m_sensitivities[k]};
    }
};

}  // namespace

TEST_F(SeedEditor, EditsTheShownSetWithoutBlanksAndRewritesTheFile) {
    view->session().ChooseSeed(1);
    QStringList shown;
    dialogs.Then([&](CDialogBase& d) {
        shown = ComboItems(&d, Ed::IDC_SEED_NAME);
        for (int id : {Ed::IDC_SEED_NAME, Ed::IDC_SEED_FEEDSPEED, Ed::IDC_SEED_GATEHOR,
                       Ed::IDC_SEED_GATEVER, Ed::IDC_SEED_SENSITIVITY}) {
            shown << ControlText(&d, id);
        }
        SetControlText(&d, Ed::IDC_SEED_FEEDSPEED, " 6 0 ");
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(shown, (QStringList{"Wheat", "Barley", "Rice", "Barley", "60", "13", "11", "6"}));
    EXPECT_EQ(doc->m_feedSpeeds[1], "60");
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "60");
    EXPECT_EQ(ControlText(view.get(), IDC_NAME), "Barley");
    EXPECT_EQ(dir.Read("SeedPara.txt"),
              QByteArray("Wheat 50 5 10 12\r\nBarley 60 6 11 13\r\nRice 45 4 8 9\r\n"));
}

TEST_F(SeedEditor, AddTakesDefaultsAndBecomesTheLastSet) {
    dialogs.Then([&](CDialogBase& d) {
        ClickControl(&d, Ed::IDC_SEED_ADD);
        EXPECT_EQ(ControlText(&d, Ed::IDC_SEED_NAME), "Oats");
        EXPECT_EQ(ControlText(&d, Ed::IDC_SEED_FEEDSPEED), "50");
        ClickControl(&d, IDOK);
    });
    ThenAddForm("Oats");
    view->OnEditSeedPara();
    EXPECT_EQ(SetOf(3), (QStringList{"Oats", "50", "10", "10", "5"}));
    EXPECT_EQ(view->SeedSetCount(), 4);
    EXPECT_EQ(view->session().SeedIndex(), 3);
    EXPECT_EQ(ComboItems(view.get(), IDC_NAME).size(), 4);
    EXPECT_TRUE(dir.Read("SeedPara.txt").endsWith("Oats 50 5 10 10\r\n"));
}

TEST_F(SeedEditor, RemoveSetZeroRemakesTheListsWithTheOtherSets) {
    QStringList afterRemove;
    dialogs.Then([&](CDialogBase& d) {
        ClickControl(&d, Ed::IDC_SEED_REMOVE);
        afterRemove = ComboItems(&d, Ed::IDC_SEED_NAME);
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(prompter.Texts(), QStringList{"Are you sure to remove ?"});
    EXPECT_EQ(afterRemove, (QStringList{"Barley", "Rice"}));
    EXPECT_EQ(doc->m_seedNames.size(), 20);
    EXPECT_EQ(SetOf(0), (QStringList{"Barley", "60", "13", "11", "6"}));
    EXPECT_EQ(doc->m_seedNames[2], "");
    EXPECT_EQ(view->session().SeedIndex(), 0);
    EXPECT_EQ(ComboItems(view.get(), IDC_NAME), (QStringList{"Barley", "Rice"}));
}

TEST_F(SeedEditor, DeclinedRemoveLastSetAndCancelChangeNothing) {
    prompter.Answer(IDNO);
    dialogs.Then([&](CDialogBase& d) {
        ClickControl(&d, Ed::IDC_SEED_REMOVE);
        EXPECT_EQ(ComboItems(&d, Ed::IDC_SEED_NAME).size(), 3);
        ClickControl(&d, Ed::IDC_SEED_ADD);  // the form adds a set, then Cancel
        ClickControl(&d, IDCANCEL);
    });
    ThenAddForm("Oats");
    const QByteArray before = dir.Read("SeedPara.txt");
    view->OnEditSeedPara();
    EXPECT_EQ(doc->m_seedNames[3], "");
    EXPECT_EQ(view->SeedSetCount(), 3);
    EXPECT_EQ(dir.Read("SeedPara.txt"), before);

    Ed one;
    one.m_pDoc = doc.get();
    one.m_nCount = 1;
    one.RunInitDialog();
    prompter.Clear();
    one.OnBnClickedRemove();
    EXPECT_EQ(prompter.Texts(), QStringList{"Only one item in list !"});
    EXPECT_EQ(one.m_nCount, 1);
}

TEST_F(SeedEditor, RefusesNamesAndValuesTheFileCannotHold) {
    Add form;
    form.RunInitDialog();
    SetControlText(&form, Add::IDC_ADD_SEEDNAME, "Winter Wheat");
    ClickControl(&form, IDOK);
    SetControlText(&form, Add::IDC_ADD_SEEDNAME, QString(20, 'W'));
    ClickControl(&form, IDOK);
    SetControlText(&form, Add::IDC_ADD_SEEDNAME, "WinterWheat");
    SetControlText(&form, Add::IDC_ADD_FEEDSPEED, "1234567890");
    prompter.Clear();  // the numeric warning of the long value
    ClickControl(&form, IDOK);
    EXPECT_EQ(form.result(), 0);  // still open
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("feed speed"));
    SetControlText(&form, Add::IDC_ADD_FEEDSPEED, "");
    ClickControl(&form, IDOK);
    EXPECT_EQ(form.result(), IDOK);

    dialogs.Then([&](CDialogBase& d) {
        SetControlText(&d, Ed::IDC_SEED_GATEHOR, "");
        ClickControl(&d, IDOK);
        EXPECT_EQ(d.result(), 0);
        ClickControl(&d, IDCANCEL);
    });
    prompter.Clear();
    view->OnEditSeedPara();
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(doc->m_gateHors[0], "12");
}

TEST_F(SeedEditor, NumericFieldsWarnButKeepWhatWasTyped) {
    Add form;
    form.RunInitDialog();
    SetControlText(&form, Add::IDC_ADD_FEEDSPEED, "60a");
    SetControlText(&form, Add::IDC_ADD_GATEHOR, "65536");
    SetControlText(&form, Add::IDC_ADD_GATEVER, "250");
    EXPECT_EQ(prompter.Texts(), (QStringList{"Entry digit number !", "Invalid Value !"}));
    EXPECT_EQ(ControlText(&form, Add::IDC_ADD_FEEDSPEED), "60a");
}

TEST_F(SeedEditor, MoreThanTwentySetsAreEditedAndCopied) {
    QByteArray many;
    for (int k = 0; k < 25; ++k) {
        many += QStringLiteral("Seed%1 50 5 10 12\r\n").arg(k).toLatin1();
    }
    view->Shutdown();
    view.reset();
    StartConsole(many);
    ASSERT_EQ(view->SeedSetCount(), 25);
    dialogs.Then([&](CDialogBase& d) {
        SetControlText(&d, Ed::IDC_SEED_NAME, "Seed22");
        ClickControl(&d, Ed::IDC_SEED_REMOVE);
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(view->SeedSetCount(), 24);
    EXPECT_EQ(doc->m_seedNames[22], "Seed23");
    EXPECT_EQ(doc->m_seedNames[23], "Seed24");
    EXPECT_EQ(dir.Read("SeedPara.txt").count('\n'), 24);
}

TEST_F(SeedEditor, ReportsASeedFileThatCannotBeRewritten) {
    view->SetDataFolder(dir.Path("missing/"));
    dialogs.Then([](CDialogBase& d) { ClickControl(&d, IDOK); });
    view->OnEditSeedPara();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("could not be written"));
}

TEST_F(SeedEditor, RefusesTextTheFileAndFramesCannotCarryAndNamesAlreadyListed) {
    const struct {
        const char* utf8;
        const char* says;
    } names[] = {{"Oat\tRye", "cannot hold a Tab or a line break"},
                 {"Oat\nRye", "cannot hold a Tab or a line break"},
                 {"Yula\xc4\x9f", "cannot be stored: use letters of Western European languages"},
                 {"O\x1ft", "cannot be stored"},
                 {"Barley", "\"Barley\" is already in the list"}};
    for (const auto& n : names) {
        prompter.Clear();
        dialogs.Then([](CDialogBase& d) {
            ClickControl(&d, Ed::IDC_SEED_ADD);
            ClickControl(&d, IDOK);
        });
        ThenAddForm(QString::fromUtf8(n.utf8));
        view->OnEditSeedPara();
        ASSERT_EQ(prompter.shown.size(), 1u) << n.utf8;
        EXPECT_TRUE(prompter.shown[0].text.contains(n.says))
            << prompter.shown[0].text.toStdString();
        EXPECT_EQ(view->SeedSetCount(), 3) << n.utf8;
    }
    EXPECT_EQ(dir.Read("SeedPara.txt"), kThreeSeedSets);

    // A value typed into the editor itself.
    prompter.Clear();
    dialogs.Then([](CDialogBase& d) {
        SetControlText(&d, Ed::IDC_SEED_SENSITIVITY, "5\t");
        ClickControl(&d, IDOK);
        EXPECT_EQ(d.result(), 0);
        ClickControl(&d, IDCANCEL);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(doc->m_sensitivities[0], "5");
}

TEST_F(SeedEditor, EditsTheSelectedSetWhenTwoShareAName) {
    view->Shutdown();
    view.reset();
    StartConsole("Wheat 50 5 10 12\r\nWheat 60 6 11 13\r\nRice 45 4 8 9\r\n");
    view->session().ChooseSeed(0);
    dialogs.Then([](CDialogBase& d) {
        SetControlText(&d, Ed::IDC_SEED_FEEDSPEED, "70");
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(doc->m_feedSpeeds[0], "70");
    EXPECT_EQ(doc->m_feedSpeeds[1], "60");
    EXPECT_EQ(view->session().SeedIndex(), 0);

    // Chosen from the list: the second of the name.
    dialogs.Then([](CDialogBase& d) {
        auto* combo = FindControlAs<QComboBox>(&d, Ed::IDC_SEED_NAME);
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        SetControlText(&d, Ed::IDC_SEED_GATEHOR, "14");
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(doc->m_gateHors[1], "14");
    EXPECT_EQ(doc->m_gateHors[0], "12");
    EXPECT_EQ(view->session().SeedIndex(), 1);
}

TEST_F(SeedEditor, ConsoleShowsTheStoredValuesWhole) {
    view->Shutdown();
    view.reset();
    StartConsole("Wheat 50 5 1234 123456789\r\nRice 45 4 8 9\r\n");
    dialogs.Then([](CDialogBase& d) { ClickControl(&d, IDOK); });
    view->OnEditSeedPara();
    EXPECT_EQ(ControlText(view.get(), IDC_GATEVER), "1234");
    EXPECT_EQ(ControlText(view.get(), IDC_GATEHOR), "123456789");
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "50");
    dialogs.Then([](CDialogBase& d) {
        SetControlText(&d, Ed::IDC_SEED_SENSITIVITY, "12345");
        ClickControl(&d, IDOK);
    });
    view->OnEditSeedPara();
    EXPECT_EQ(ControlText(view.get(), IDC_SENSITIVITY), "12345");
}
