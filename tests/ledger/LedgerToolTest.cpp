#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "data/InventoryFile.h"
#include "data/excel/PythonSpreadsheets.h"
#include "ledger/LedgerExport.h"
#include "ledger/LedgerFixture.h"

namespace {

using Kind = InventoryChangeKind;

// Python's json module reads the export and holds it to BrAPI's SeedLot
// transaction: only its field names, the amount a number, every
// additionalInfo value a string. It prints the transactions back.
const char* const kBrapiRead = R"(
import json, sys
allowed = {"transactionDbId", "amount", "units", "transactionTimestamp",
           "transactionDescription", "toSeedLotDbId", "fromSeedLotDbId", "additionalInfo"}
with open(sys.argv[1], encoding="utf-8") as f:
    body = json.load(f)
assert isinstance(body, list)
for t in body:
    assert set(t) <= allowed, set(t) - allowed
    assert ("toSeedLotDbId" in t) != ("fromSeedLotDbId" in t)
    assert isinstance(t["amount"], (int, float)) and not isinstance(t["amount"], bool)
    assert t["units"] == "seeds"
    assert all(isinstance(v, str) for v in t["additionalInfo"].values())
sys.stdout.write(json.dumps(body))
)";

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

class LedgerToolTest : public LedgerFixture {
protected:
    ToolRun Tool(const QStringList& args) {
        QProcess p;
        p.start(QString(VYN8_BINARY_DIR) + "/tools/ledger/vyn8-ledger",
                QStringList{"--data-dir", Folder()} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    // A day's ledger: opening balances, a count, a dump that fell, a
    // correction whose reason needs quoting.
    void MakeDay() {
        auto ledger = MakeLedger();
        ledger->Start(Inventory({{"A-1", "100"}, {"B,2", "7"}}));
        ledger->Record({{0}, {{"A-1", Kind::CountResult, "100", "130", 0}}});
        ledger->Record({{1}, {{"B,2", Kind::DumpResult, "7", "3", 1}}});
        ledger->NoteSaved({0, 1}, "/data/day 1.txt");
        ASSERT_FALSE(ledger->Correct("A-1", "128", "spilt \"2\", swept up;\nnoted").IsProblem());
        InventoryMap file = Inventory({{"A-1", "128"}, {"B,2", "3"}});
        ASSERT_TRUE(SaveInventoryFile(QDir(Folder()).filePath("vyn8_inventory.txt"), file));
    }
};

TEST_F(LedgerToolTest, BalanceHistoryAndCheckOfASoundLedger) {
    MakeDay();
    EXPECT_EQ(Tool({"balance", "A-1"}).out, "128\n");
    const ToolRun unknown = Tool({"balance", "Z"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "Z has no transactions in the ledger\n");
    const QStringList history = Tool({"history", "A-1"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(history.size(), 4);  // the reason's line break splits the last one
    EXPECT_TRUE(history[1].contains("\tlab-a#3\tana\tcount result\t100\t130\t\trun "));
    EXPECT_TRUE(history[1].endsWith(", record 1, saved in /data/day 1.txt"));
    const ToolRun check = Tool({"check"});
    EXPECT_EQ(check.status, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_TRUE(check.out.startsWith("5 transactions;"));
    EXPECT_EQ(Tool({"bogus"}).status, 2);
}

TEST_F(LedgerToolTest, CheckFindsAMismatchAndAGap) {
    MakeDay();
    ASSERT_TRUE(SaveInventoryFile(QDir(Folder()).filePath("vyn8_inventory.txt"),
                                  Inventory({{"A-1", "128"}, {"B,2", "4"}})));
    Other(
        "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id, kind,"
        " before, after, run, record, reason) VALUES ('lab-a', 7, 't', 'o', 'C', 'count result',"
        " '', '', '', 0, '')");
    const ToolRun check = Tool({"check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out,
              "B,2: the ledger's balance is 3, vyn8_inventory.txt holds 4\n"
              "station lab-a: sequence 6 is missing\n");
}

TEST_F(LedgerToolTest, CsvAndBrapiExportsReadBackWithPython) {
    SKIP_WITHOUT_PYTHON(python, "json");
    MakeDay();
    const QString csv = QDir(Folder()).filePath("ledger.csv");
    const QString brapi = QDir(Folder()).filePath("ledger.json");
    ASSERT_EQ(Tool({"export", "--csv", csv}).status, 0);
    ASSERT_EQ(Tool({"export", "--brapi", brapi}).status, 0);
    QFile raw(csv);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().startsWith("\xEF\xBB\xBFTransaction,Station,"));

    const QJsonArray rows = ReadWithCsvModule(python, csv);
    ASSERT_EQ(rows.size(), 6);
    QStringList header;
    for (const QJsonValue& v : rows[0].toArray()) {
        header << v.toString();
    }
    EXPECT_EQ(header, LedgerCsvColumns());
    const QJsonArray dump = rows[4].toArray();
    EXPECT_EQ(dump[5].toString(), "B,2");
    EXPECT_EQ(dump[6].toString(), "dump result");
    EXPECT_EQ(dump[9].toString(), "-4");
    EXPECT_EQ(dump[12].toString(), "/data/day 1.txt");
    EXPECT_EQ(rows[5].toArray()[13].toString(), "spilt \"2\", swept up;\nnoted");

    QByteArray out;
    ASSERT_TRUE(RunPython(python, {"-c", kBrapiRead, brapi}, &out));
    const QJsonArray body = QJsonDocument::fromJson(out).array();
    ASSERT_EQ(body.size(), 5);
    const QJsonObject fell = body[3].toObject();
    EXPECT_EQ(fell["fromSeedLotDbId"].toString(), "B,2");
    EXPECT_EQ(fell["amount"].toDouble(), 4);
    EXPECT_EQ(fell["transactionDbId"].toString(), "lab-a-4");
    EXPECT_EQ(fell["additionalInfo"].toObject()["before"].toString(), "7");
    const QJsonObject rose = body[2].toObject();
    EXPECT_EQ(rose["toSeedLotDbId"].toString(), "A-1");
    EXPECT_EQ(rose["amount"].toDouble(), 30);
    EXPECT_TRUE(QDateTime::fromString(rose["transactionTimestamp"].toString(), Qt::ISODateWithMs)
                    .isValid());

    // One ID's history alone.
    ASSERT_EQ(Tool({"export", "--brapi", brapi, "B,2"}).status, 0);
    ASSERT_TRUE(RunPython(python, {"-c", kBrapiRead, brapi}, &out));
    EXPECT_EQ(QJsonDocument::fromJson(out).array().size(), 2);
}

}  // namespace
