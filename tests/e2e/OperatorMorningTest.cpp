// One operator's morning against vyn8-counter playing a script of counts:
// two Totalize and two Batch samples by hand (Done, Done right after a
// "BatchF", Reset, a dump whose notice is closed early), the line lost
// mid-count, the records saved, a reconnect and a loaded list counted to its
// dump; then a dump in the middle of a row, a Save in the middle of a series
// and a dump answered after the next sample started. Every record, inventory value and Total
// Quantity is checked against figures worked out here from the counts the script sends.

#include <QPushButton>

#include "app/commands/RecordFileCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/RecordFile.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"
#include "e2e/SimConsoleFixture.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerCheck.h"

namespace {

QString N(int n) {
    return QString::number(n);
}

class OperatorMorning : public CountWithSimulator {
protected:
    // vyn8-counter replaying `script`; COM1 leads to it and the console connects.
    void StartScript(const QString& name, const QString& script) {
        dir.Write(name, script.toLatin1());
        env.reset();  // the last counter's port goes first
        sim.reset();
        StartCounter({"--script", dir.Path(name)});
    }
    // The script is waiting for the console's next frame: what it says when
    // it gave up, for the failure message.
    std::string SimSaid() { return sim->process().readAllStandardError().toStdString(); }
    bool Shows(const QString& count) {
        return WaitUntil([&] { return view->session().LastCount() == count; });
    }
    // Each record in record order, fields joined by '|', one a line.
    std::string RecordsNow() const {
        QStringList out;
        for (const auto& r : doc->m_records) {
            const auto fields = r->RecordOrder();
            out << QStringList(fields.begin(), fields.end()).join('|');
        }
        return Lines(out);
    }
    static std::string Lines(const QStringList& lines) { return lines.join('\n').toStdString(); }
    // The ledger the window would keep: every final figure becomes its transactions.
    void KeepLedger(const InventoryMap& opening) {
        ledger = std::make_unique<Ledger>(dir.Path(""), LedgerIdentity{"lab-a", "ana", "r1"});
        ASSERT_FALSE(ledger->Start(opening).problem.IsProblem());
        QObject::connect(&view->session(), &CountSession::figuresFinal, view.get(),
                         [this](const FinalFigures& f) { ledger->Record(f); });
    }
    // Each ID's transactions, "ID: kind before>after; ...", in the order of
    // the IDs' first transactions.
    std::string LedgerChains() {
        QStringList ids;
        ledger->ForEach(QString(), [&](const LedgerEntry& e) {
            if (!ids.contains(e.sampleId)) {
                ids << e.sampleId;
            }
            return true;
        });
        QStringList out;
        for (const QString& id : ids) {
            QStringList steps;
            for (const LedgerEntry& e : ledger->History(id)) {
                steps << QString("%1 %2>%3").arg(KindName(e.kind), e.before, e.after);
            }
            out << id + ": " + steps.join("; ");
        }
        return Lines(out);
    }
    std::unique_ptr<Ledger> ledger;
    QString Stored(const QString& id) const {
        QString v;
        return doc->m_inventory.Lookup(id, &v) ? v : QStringLiteral("<none>");
    }
};

TEST_F(OperatorMorning, EveryCountEndsInTheRecordsWithTheRightFigures) {
    // The counts the counter reports.
    const int t1 = 118;                            // T-1, closed with Done
    const int b1Row1 = 2, b1Seeds1 = 10;           // B-1 row 1, finished
    const int b2Row1 = 1, b2Seeds1 = 30;           // B-2 row 1, finished; Reset in row 2
    const int t2Before = 55, t2 = 61;              // T-2 at Dump, and the dump's count
    const int t3 = 44;                             // T-3 when the line goes
    const int a7Rows[2][2] = {{3, 50}, {1, 100}};  // A7 of the loaded list
    const int a7Left = 9;                          // seeds its dump finds
    doc->m_inventory.Set("T-3", "500");            // known from an earlier day
    InventoryMap opening;
    opening.Set("T-3", "500");
    KeepLedger(opening);

    StartScript("morning-1.txt",
                "expect program\nevent Start\ncount 40 1\ncount " + N(t1) +
                    " 1\nexpect command Reset\n"
                    // B-1: 2 x 10, 3 x 20, Done right after the first row.
                    "expect program\nevent Start\ncount 10 1\ncount 10 2\nevent BatchF\n"
                    "expect command Reset\n"
                    // B-2: 1 x 30, 2 x 15, Reset in the second row.
                    "expect program\nevent Start\ncount 30 1\nevent BatchF\ncount 6 1\n"
                    "expect command Reset\n"
                    // T-2: the operator dumps it and closes the notice early.
                    "expect program\nevent Start\ncount " +
                    N(t2Before) + " 1\nexpect command Dump\nwait 1500\ncount " + N(t2) +
                    " 1\nevent Dump\n"
                    // T-3: the counter goes away mid-count.
                    "expect program\nevent Start\ncount 25 1\ncount " +
                    N(t3) + " 1\nwait 300\n");

    Scan("T-1");
    ASSERT_TRUE(Shows(N(t1))) << SimSaid();
    ClickControl(view.get(), IDC_DONE);

    EnterSeries("B-1", {{N(b1Row1), N(b1Seeds1)}, {"3", "20"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return view->session().CurrentPacket() == 1; })) << SimSaid();
    ClickControl(view.get(), IDC_DONE);

    EnterSeries("B-2", {{N(b2Row1), N(b2Seeds1)}, {"2", "15"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(Shows("6")) << SimSaid();
    ClickControl(view.get(), IDC_RESET);

    Scan("T-2");
    ASSERT_TRUE(Shows(N(t2Before))) << SimSaid();
    ClickControl(view.get(), IDC_DUMP);
    ASSERT_NE(view->DumpNotice(), nullptr);
    ClickControl(view->DumpNotice(), IDOK);  // before the counter's "Dump"
    ASSERT_TRUE(WaitUntil([&] { return Stored("T-2") == N(t2); })) << SimSaid();

    Scan("T-3");
    ASSERT_TRUE(Shows(N(t3))) << SimSaid();
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); })) << SimSaid();
    EXPECT_EQ(prompter.shown.size(), 1u) << prompter.Texts().join("|").toStdString();

    const QStringList firstPart = {
        "T-1|Wheat|0|" + N(t1) + "|" + N(t1) + "|" + N(t1) + "||",
        "B-1|Wheat|" + N(b1Row1) + "|" + N(b1Seeds1) + "||||",
        // Closed before row 2 counted a seed: no packet of it finished.
        "B-1|Wheat|1|0|0|" + N(b1Row1 * b1Seeds1) + "||InComplete",
        "B-2|Wheat|" + N(b2Row1) + "|" + N(b2Seeds1) + "||||",
        "T-2|Wheat|0|" + N(t2) + "|" + N(t2) + "|" + N(t2) + "||",
        // Cut off: what was counted, but nothing is known of what is left.
        "T-3|Wheat|0|" + N(t3) + "||" + N(t3) + "||",
    };
    EXPECT_EQ(RecordsNow(), Lines(firstPart));
    EXPECT_EQ(Stored("T-1"), N(t1));
    EXPECT_EQ(Stored("B-1"), "0");
    EXPECT_EQ(Stored("B-2"), "<none>");
    EXPECT_EQ(Stored("T-2"), N(t2));
    EXPECT_EQ(Stored("T-3"), "500");

    // Saved before connecting again, which starts a fresh list.
    files.Answer(dir.Path("morning.txt"));
    commands::OnSaveRecords(*doc);
    std::vector<std::array<QString, 8>> saved;
    ASSERT_TRUE(ReadRecordFile(dir.Path("morning.txt"), &saved));
    QStringList savedLines;
    for (const auto& f : saved) {
        savedLines << QStringList(f.begin(), f.end()).join('|');
    }
    EXPECT_EQ(Lines(savedLines), Lines(firstPart));

    StartScript("morning-2.txt",
                // A7: two rows; the Sample Ready notice closed before "Empty".
                "expect program\nevent Start\ncount 50 1\ncount 50 2\ncount 50 3\nevent BatchF\n"
                "count 100 1\nevent BatchF\nevent Full\nwait 1500\nevent Empty\n"
                "expect command Dump\ncount " +
                    N(a7Left) + " 0\nevent Dump\nexpect command Disconnect\n");
    EXPECT_EQ(doc->RecordCount(), 0);
    files.Answer(QStringLiteral(VYN8_FIXTURES_DIR "/sample-list.xls"));
    ClickControl(view.get(), IDC_LOADFILE);
    ASSERT_EQ(view->list().Count(), 5) << prompter.Texts().join("|").toStdString();
    Scan("A7");
    ASSERT_TRUE(WaitUntil([&] { return view->SampleReadyNotice() != nullptr; })) << SimSaid();
    ClickControl(view->SampleReadyNotice(), IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Stored("A7") == N(a7Left); })) << SimSaid();
    const int a7Total = a7Rows[0][0] * a7Rows[0][1] + a7Rows[1][0] * a7Rows[1][1] + a7Left;
    EXPECT_EQ(RecordsNow(),
              Lines({"A7|Wheat|3|50|||Shelf 2|",
                     "A7|Wheat|1|100|" + N(a7Left) + "|" + N(a7Total) + "|Shelf 2|second series"}));
    EXPECT_EQ(Cell(3, SampleListModel::Sum), N(a7Total));

    ClickControl(view.get(), IDC_DISCONNECT);
    ASSERT_TRUE(sim->process().waitForFinished(5000));
    EXPECT_EQ(sim->process().exitCode(), 0) << SimSaid();
    files.Answer(dir.Path("morning-2.txt"));
    commands::OnSaveRecords(*doc);

    // A dump in the middle of a row, a Save in the middle of a series, and a
    // dump answered after the next sample started.
    const int d1Full = 2, d1Seeds = 10, d1Part = 4, d1Left = 9;  // D-1: a row of 3 x 10
    const int s1Row1 = 20, s1Row2 = 10, s1Left = 3;              // S-1: 1 x 20, 1 x 10
    const int l1Before = 200, l1 = 230, l2 = 50;                 // L-1 dumped late; L-2
    StartScript("morning-3.txt",
                "expect program\nevent Start\ncount 10 1\ncount 10 2\ncount " + N(d1Part) +
                    " 3\nexpect command Dump\ncount " + N(d1Left) +
                    " 0\nevent Dump\n"
                    "expect program\nevent Start\ncount 20 1\nevent BatchF\nwait 1500\n"
                    "count 10 1\nevent BatchF\nevent Full\nevent Empty\nexpect command Dump\n"
                    "count " +
                    N(s1Left) + " 0\nevent Dump\n" + "expect program\nevent Start\ncount " +
                    N(l1Before) + " 1\nexpect command Dump\nexpect program\ncount " + N(l1) +
                    " 1\nevent Dump\nevent Start\ncount " + N(l2) +
                    " 1\nexpect command Reset\nexpect command Disconnect\n");
    EXPECT_EQ(doc->RecordCount(), 0);
    EnterSeries("D-1", {{"3", N(d1Seeds)}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(Shows(N(d1Part))) << SimSaid();
    ClickControl(view.get(), IDC_DUMP);
    ASSERT_TRUE(WaitUntil([&] { return Stored("D-1") == N(d1Left); })) << SimSaid();
    if (view->DumpNotice()) {
        ClickControl(view->DumpNotice(), IDOK);
    }

    EnterSeries("S-1", {{"1", N(s1Row1)}, {"1", N(s1Row2)}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return doc->RecordCount() == 3; })) << SimSaid();
    files.Answer(dir.Path("mid-series.txt"));
    commands::OnSaveRecords(*doc);
    ASSERT_TRUE(WaitUntil([&] { return Stored("S-1") == N(s1Left); })) << SimSaid();
    EXPECT_TRUE(doc->HoldsUnsavedWork()) << "a record made after the Save";
    std::vector<std::array<QString, 8>> kept;
    ASSERT_TRUE(ReadRecordFile(dir.Path("VYN8_Default.txt"), &kept));
    EXPECT_EQ(kept.size(), 4u);
    ASSERT_TRUE(ReadRecordFile(dir.Path("mid-series.txt"), &kept));
    EXPECT_EQ(kept.size(), 3u);

    ClickControl(view.get(), IDC_TOTALIZE);
    Scan("L-1");
    ASSERT_TRUE(Shows(N(l1Before))) << SimSaid();
    ClickControl(view.get(), IDC_DUMP);
    ASSERT_NE(view->DumpNotice(), nullptr);
    ClickControl(view->DumpNotice(), IDOK);
    Scan("L-2");
    ASSERT_TRUE(WaitUntil([&] { return Stored("L-1") == N(l1); })) << SimSaid();
    ASSERT_TRUE(Shows(N(l2))) << SimSaid();
    ClickControl(view.get(), IDC_DONE);
    const int d1Total = d1Full * d1Seeds + d1Part + d1Left;
    EXPECT_EQ(RecordsNow(), Lines({"D-1|Wheat|" + N(d1Full) + "|" + N(d1Seeds) + "||||",
                                   "D-1|Wheat|1|" + N(d1Part) + "|" + N(d1Left) + "|" + N(d1Total) +
                                       "||InComplete",
                                   "S-1|Wheat|1|" + N(s1Row1) + "||||",
                                   "S-1|Wheat|1|" + N(s1Row2) + "|" + N(s1Left) + "|" +
                                       N(s1Row1 + s1Row2 + s1Left) + "||",
                                   "L-1|Wheat|0|" + N(l1) + "|" + N(l1) + "|" + N(l1) + "||",
                                   "L-2|Wheat|0|" + N(l2) + "|" + N(l2) + "|" + N(l2) + "||"}));
    ClickControl(view.get(), IDC_DISCONNECT);
    ASSERT_TRUE(sim->process().waitForFinished(5000));
    EXPECT_EQ(sim->process().exitCode(), 0) << SimSaid();

    const QByteArray inventory = dir.Read("vyn8_inventory.txt");
    for (const QString& line : {"T-1\t" + N(t1), QString("B-1\t0"), "T-2\t" + N(t2),
                                QString("T-3\t500"), "A7\t" + N(a7Left), "D-1\t" + N(d1Left),
                                "S-1\t" + N(s1Left), "L-1\t" + N(l1), "L-2\t" + N(l2)}) {
        EXPECT_TRUE(inventory.contains(line.toLatin1() + "\r\n")) << line.toStdString();
    }
    EXPECT_FALSE(inventory.contains("B-2"));
    // The ledger holds each change the morning made, each from the value the
    // one before left, and its balances are the file's.
    // T-3's cut-off count and B-2's Reset leave no transaction.
    EXPECT_EQ(LedgerChains(),
              Lines({"T-3: opening balance >500", "T-1: count result >" + N(t1),
                     "B-1: incomplete packet >0", "T-2: dump result >" + N(t2),
                     "A7: dump result >" + N(a7Left), "D-1: dump result >" + N(d1Left),
                     "S-1: dump result >" + N(s1Left), "L-1: dump result >" + N(l1),
                     "L-2: count result >" + N(l2)}));
    InventoryMap file;
    LoadInventoryFile(dir.Path(kInventoryFileName), file);
    LedgerProblem problem;
    EXPECT_TRUE(CompareBalances(ledger->Store()->Balances(&problem), file).empty());
    EXPECT_EQ(prompter.shown.size(), 1u) << prompter.Texts().join("|").toStdString();
}

}  // namespace
