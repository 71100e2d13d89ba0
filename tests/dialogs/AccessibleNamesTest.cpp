// Screen readers and desktop automation reach every control by its name:
// each input control of the console and of every dialog carries one.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "app/CAboutDlg.h"
#include "dialogs/CheckInventory35.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/LabelLayoutDlg.h"
#include "dialogs/Sample35.h"
#include "dialogs/SampleRecord35.h"
#include "dialogs/SeedAdd35.h"
#include "dialogs/Setupalert.h"
#include "dialogs/Viewedit35.h"
#include "dialogs/cBatch35.h"
#include "dialogs/cSeedname35.h"

namespace {

QStringList Unnamed(const QWidget& root, int* checked) {
    QStringList out;
    *checked = 0;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QAbstractItemView*>(w);
        // Parts that Qt builds inside a control (a combo's line edit and
        // popup, a table's headers) are reached through the control itself.
        bool inner = false;
        for (QWidget* p = w->parentWidget(); p && p != &root; p = p->parentWidget()) {
            inner = inner || qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractItemView*>(p);
        }
        inner = inner || w->objectName().startsWith("qt_") ||
                qobject_cast<QComboBox*>(w->window()) != nullptr;
        *checked += control && !inner ? 1 : 0;
        if (control && !inner && w->accessibleName().isEmpty()) {
            out << QString("%1 '%2'").arg(w->metaObject()->className(), w->objectName());
        }
    }
    return out;
}

}  // namespace

TEST(AccessibleNames, EveryDialogControlIsNamed) {
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.emplace_back(new cBatch35(nullptr, "A1"));
    dialogs.emplace_back(new Setupalert);
    dialogs.emplace_back(new DumDlg35);
    dialogs.emplace_back(new Sample35);
    dialogs.emplace_back(new SampleRecord35);
    dialogs.emplace_back(new Viewedit35);
    dialogs.emplace_back(new cSeedname35);
    dialogs.emplace_back(new SeedAdd35);
    dialogs.emplace_back(new CheckInventory35);
    dialogs.emplace_back(new CAboutDlg);
    dialogs.emplace_back(new LabelLayoutDlg);
    for (const auto& d : dialogs) {
        int checked = 0;
        EXPECT_EQ(Unnamed(*d, &checked).join(", ").toStdString(), "")
            << d->metaObject()->className();
        EXPECT_GT(checked, 0) << d->metaObject()->className();
    }
}
