#pragma once

// A console connected over a pseudo-terminal to a counter the test drives,
// with helpers to enter samples the way the operator does.

#include <QLineEdit>
#include <QtTest/QTest>
#include <utility>
#include <vector>

#include "console/Cvyn8_rk47View.h"
#include "dialogs/cBatch35.h"
#include "e2e/PtyCounter.h"
#include "link/CounterFrames.h"
#include "support/ConsoleFixture.h"

class RunFixture : public ConsoleFixture {
protected:
    void SetUp() override {
        ConsoleFixture::SetUp();
        ASSERT_TRUE(counter.ok());
    }
    void Connect() {
        ClickControl(view.get(), IDC_CONNECT);
        ASSERT_EQ(view->m_nLinkState, LINK_CONNECTED) << prompter.Texts().join(" | ").toStdString();
        counter.TakeFrames();
    }
    // Scans `id` into the ID edit and presses Enter.
    void Scan(const QString& id) {
        view->m_editID->setText(id);
        QTest::keyClick(view->m_editID, Qt::Key_Return);
    }
    // A Batch Count series: one Data Input dialog per row (packets, seeds per
    // packet), the dialog after the last one cancelled.
    void EnterSeries(const QString& id, const std::vector<std::pair<QString, QString>>& rows) {
        if (!view->m_bBatchMode) {
            ClickControl(view.get(), IDC_BATCH);
        }
        for (const auto& [packets, seeds] : rows) {
            dialogs.Then([packets, seeds](CDialogBase& dlg) {
                SetControlText(&dlg, cBatch35::IDC_EDIT_PACKETS, packets);
                SetControlText(&dlg, cBatch35::IDC_EDIT_SEEDS, seeds);
                QTest::keyClick(dlg.control(cBatch35::IDC_EDIT_SEEDS), Qt::Key_Return);
            });
        }
        dialogs.Then([](CDialogBase& dlg) { dlg.reject(); });  // Cancel ends the series
        Scan(id);
    }
    // Pumps the event loop until `done` holds (at most `ms`).
    template <typename Pred>
    bool WaitUntil(Pred done, int ms = 3000) {
        return QTest::qWaitFor(done, ms);
    }
    // The counter sends an event and the test waits until the console has
    // carried it out (`done`).
    template <typename Pred>
    bool CounterSays(const QString& event, Pred done) {
        counter.SendEvent(event);
        return WaitUntil(done);
    }
    bool CounterCounts(const QString& count, const QString& pack) {
        counter.SendCount(count, pack);
        return WaitUntil([&] { return view->m_strLastCount == count; });
    }
    // The frames the console writes, once `expected`'s length has arrived.
    QByteArray Sent(const QByteArray& expected) { return counter.TakeFrames(expected.size()); }
    // What the console wrote before Disconnect, which ends the link.
    QByteArray SentBeforeDisconnect() {
        ClickControl(view.get(), IDC_DISCONNECT);
        const QByteArray end = frames::Command("Disconnect");
        QByteArray sent = counter.TakeFrames(end.size());
        return sent.endsWith(end) ? sent.chopped(end.size()) : "(no Disconnect) " + sent;
    }
    QString Cell(int row, int column) const { return view->list().Cell(row, column); }

    PtyCounter counter;
};
