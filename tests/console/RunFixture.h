#pragma once

// A console connected over a pseudo-terminal to a counter the test drives,
// with helpers to enter samples the way the operator does.

#include <QtTest/QTest>

#include "console/Cvyn8_rk47View.h"
#include "console/EntrySteps.h"
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
        ASSERT_TRUE(view->session().LinkLive()) << prompter.Texts().join(" | ").toStdString();
        counter.TakeFrames();
    }
    void Scan(const QString& id) { ScanId(*view, id); }
    void EnterSeries(const QString& id, const std::vector<std::pair<QString, QString>>& rows) {
        EnterBatchSeries(*view, dialogs, id, rows);
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
        return WaitUntil([&] { return view->session().LastCount() == count; });
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
