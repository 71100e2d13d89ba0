#pragma once

// A console on a pty counter, shown and active, so that keystrokes go where
// the keyboard focus is, as a barcode scanner's do.

#include <QApplication>
#include <QtTest/QTest>

#include "console/LoadedRows.h"
#include "console/RunFixture.h"

class CountingFixture : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    // A scanner types `text` and Enter into whatever has the focus.
    void ScannerTypes(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(FocusTarget(), c.toLatin1());
        }
        QTest::keyClick(FocusTarget(), Qt::Key_Return);
    }
    QWidget* FocusTarget() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w : view.get();
    }
    // Waits a moment and drops what the console has written so far.
    void Settle() { counter.TakeFrames(1 << 20, 200); }
    bool Enabled(int id) const { return ctl(id) && ctl(id)->isEnabled(); }
};
