// A counting station driven by a script instead of an operator, for the
// crash test: the real window, session, ledger and files, connected to the
// counter COM1 leads to. It counts Totalize samples --from K to --to N (ID
// "D-<i mod 7>", the counter's count 100 + i), presses Done on each and
// prints "kept <i> <id> <count>" once the window shows the record. Closes
// cleanly after the last; with a ledger server in the console's settings,
// once the server has all it kept. Messages go to stderr; every question is
// answered with its first button.

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/LedgerHookup.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "ledger/Ledger.h"
#include "platform/DataFolder.h"
#include "platform/Prompter.h"
#include "session/CountSession.h"

namespace {

class PrintingPrompter : public IPrompter {
public:
    int Show(const PromptRequest& request) override {
        std::fprintf(stderr, "prompt: %s\n", qPrintable(request.text));
        return request.buttons == PromptButtons::YesNo ? IDYES : IDOK;
    }
};

bool Press(Cvyn8_rk47View& view, int id) {
    auto* button = qobject_cast<QAbstractButton*>(view.control(id));
    if (!button || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quilvane Inc.");
    QApplication::setApplicationName("vyn8_rk47");
    QCommandLineParser parser;
    const QCommandLineOption dataDir("data-dir", "The data folder.", "DIR");
    const QCommandLineOption from("from", "The first sample.", "K", "0");
    const QCommandLineOption to("to", "One past the last sample.", "N", "0");
    const QCommandLineOption station("station", "The station's name.", "NAME", "drill");
    parser.addOptions({dataDir, from, to, station});
    parser.process(app);
    PrintingPrompter prompter;
    SetPrompter(&prompter);
    SetDataFolder(parser.value(dataDir) + "/");

    Cvyn8_rk47Doc doc;
    Ledger ledger(DataFolder(),
                  {parser.value(station), "drill", QString("run-%1").arg(parser.value(from))});
    CMainFrame frame(&doc, &ledger);
    frame.StartAndShow();
    Cvyn8_rk47View& view = *qobject_cast<Cvyn8_rk47View*>(frame.centralWidget());
    const int first = parser.value(from).toInt();
    const int last = parser.value(to).toInt();
    if (first < last && (!Press(view, IDC_CONNECT) || !view.session().LinkLive())) {
        std::fprintf(stderr, "the counter did not answer\n");
        return 2;
    }
    auto* idEdit = qobject_cast<QLineEdit*>(view.control(IDC_ID));
    for (int i = first; i < last; ++i) {
        const QString id = QString("D-%1").arg(i % 7);
        const QString count = QString::number(100 + i);
        idEdit->setText(id);
        QTest::keyClick(idEdit, Qt::Key_Return);
        if (!QTest::qWaitFor([&] { return view.session().LastCount() == count; }, 10000)) {
            std::fprintf(stderr, "sample %d: the count %s never came\n", i, qPrintable(count));
            return 3;
        }
        const size_t records = doc.m_records.size();
        if (!Press(view, IDC_DONE) ||
            !QTest::qWaitFor([&] { return doc.m_records.size() > records; }, 5000)) {
            std::fprintf(stderr, "sample %d: Done made no record\n", i);
            return 4;
        }
        std::printf("kept %d %s %s\n", i, qPrintable(id), qPrintable(count));
        std::fflush(stdout);
    }
    // With a lab server: closed once the server has every transaction of the
    // station and the window what the other stations sent before.
    const auto* hookup = frame.findChild<LedgerHookup*>();
    if (hookup && !hookup->Server().isEmpty() &&
        !QTest::qWaitFor(
            [&] {
                const ServerSyncState& s = hookup->ServerState();
                return s.known && s.reachable && s.waiting == 0;
            },
            20000)) {
        std::fprintf(stderr, "the lab server never had every transaction\n");
        return 5;
    }
    frame.close();
    return 0;
}
