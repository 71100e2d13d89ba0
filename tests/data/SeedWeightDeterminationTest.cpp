#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "data/SeedWeightDetermination.h"
#include "data/SeedWeightFile.h"
#include "data/cParam.h"

using Method = SeedWeightDetermination::Method;

namespace {

// Records as the count session makes them: ID, packets, seeds per packet,
// comment.
struct Records {
    std::vector<std::unique_ptr<cParam>> owned;
    void Add(const QString& id, const QString& packNo, const QString& numP,
             const QString& comment = {}) {
        auto r = std::make_unique<cParam>(id);
        r->m_strSeed = "Wheat";
        r->m_strPackNo = packNo;
        r->m_strNumPerPacket = numP;
        r->m_strComment = comment;
        owned.push_back(std::move(r));
    }
    std::vector<const cParam*> All() const {
        std::vector<const cParam*> out;
        for (const auto& r : owned) {
            out.push_back(r.get());
        }
        return out;
    }
};

std::vector<int> SeedsOf(const SeedWeightDetermination& d) {
    std::vector<int> out;
    for (const auto& s : d.Slots()) {
        out.push_back(s.seeds);
    }
    return out;
}

void WeighAll(SeedWeightDetermination& d, const std::vector<double>& grams) {
    for (double g : grams) {
        ASSERT_EQ(d.SetWeight(d.NextToWeigh(), g), QString());
    }
}

}  // namespace

TEST(SeedWeightDetermination, ReplicatesTakeTheSeedsTheCounterReported) {
    Records recs;
    recs.Add("L7", "4", "100");
    recs.Add("OTHER", "8", "100");
    recs.Add("L7", "1", "63", "InComplete");  // Done during the fifth packet
    SeedWeightDetermination d("L7", "Wheat", Method::Replicates, false);
    EXPECT_EQ(SeedsOf(d), std::vector<int>(8, 0));
    d.TakeCounts(recs.All());
    EXPECT_EQ(SeedsOf(d), (std::vector<int>{100, 100, 100, 100, 63, 0, 0, 0}));
    // A slot not counted takes no weight; the short one takes its own.
    EXPECT_FALSE(d.SetWeight(5, 4.5).isEmpty());
    WeighAll(d, {4.5, 4.5, 4.5, 4.5, 2.835});
    EXPECT_EQ(d.NextToWeigh(), -1);
    EXPECT_FALSE(d.Complete());
    EXPECT_NEAR(d.Figures().mean, 4.5, 1e-12);  // 2.835 g of 63 seeds is 4.5 g per 100
    EXPECT_TRUE(d.Notes().join(' ').contains("Replicate 5 holds 63 seeds"));
}

TEST(SeedWeightDetermination, WholeSampleIsTheLastTotalizeCountOfTheId) {
    Records recs;
    recs.Add("L7", "0", "1234");
    SeedWeightDetermination d("L7", "Wheat", Method::WholeSample, false);
    d.TakeCounts(recs.All());
    EXPECT_EQ(SeedsOf(d), std::vector<int>{1234});
    EXPECT_EQ(d.SetWeight(0, 55.53), QString());
    ASSERT_TRUE(d.Complete());
    EXPECT_NEAR(d.Result(), 45.0, 1e-9);  // 1000 x 55.53 / 1234
    EXPECT_EQ(d.ResultText(), "45.00 g");
}

TEST(SeedWeightDetermination, BadWeightIsRefusedAndTheOldOneKept) {
    Records recs;
    recs.Add("L7", "8", "100");
    SeedWeightDetermination d("L7", "Wheat", Method::Replicates, false);
    d.TakeCounts(recs.All());
    ASSERT_EQ(d.SetWeight(0, 4.5), QString());
    EXPECT_FALSE(d.SetWeight(0, 0).isEmpty());
    EXPECT_FALSE(d.SetWeight(0, -2).isEmpty());
    EXPECT_FALSE(d.SetWeight(9, 4.5).isEmpty());
    EXPECT_EQ(*d.Slots()[0].grams, 4.5);
    ASSERT_EQ(d.SetWeight(0, 4.6), QString());  // weighed again
    EXPECT_EQ(*d.Slots()[0].grams, 4.6);
    EXPECT_EQ(d.NextToWeigh(), 1);
}

TEST(SeedWeightDetermination, OverTheLimitAsksForEightMoreThenDiscards) {
    // The weights of the sixteen-replicate case in SeedWeightTest (python3's
    // statistics: mean 2.00375, s 0.11081, CV 5.53; kept mean 2.004286).
    const std::vector<double> first = {2.01, 2.03, 1.98, 2.00, 2.02, 1.99, 2.30, 2.01};
    const std::vector<double> more = {2.00, 1.97, 2.02, 2.01, 1.99, 2.00, 2.03, 1.70};
    Records recs;
    recs.Add("L7", "8", "100");
    SeedWeightDetermination d("L7", "Wheat", Method::Replicates, false);
    d.TakeCounts(recs.All());
    EXPECT_FALSE(d.AddEightMore());
    WeighAll(d, first);
    EXPECT_FALSE(d.Complete());
    EXPECT_EQ(d.FarSlots(), std::vector<int>{6});
    EXPECT_TRUE(d.Notes().join(' ').contains("eight more"));
    ASSERT_TRUE(d.AddEightMore());
    EXPECT_FALSE(d.AddEightMore());
    recs.Add("L7", "8", "100");
    d.TakeCounts(recs.All());
    WeighAll(d, more);
    ASSERT_TRUE(d.Complete());
    EXPECT_EQ(d.FarSlots(), (std::vector<int>{6, 15}));
    EXPECT_EQ(d.ResultText(), "20.04 g");

    const SeedWeightRecord r =
        MakeRecord(d, QDateTime(QDate(2026, 12, 8), QTime(10, 30), Qt::UTC), "ana", "lab1", "B7");
    EXPECT_EQ(r.replicates, 16);
    EXPECT_EQ(r.discarded, (QStringList{"7", "16"}));
    EXPECT_NEAR(r.mean.toDouble(), 2.00375, 0.000051);  // four decimals
    EXPECT_EQ(r.s, "0.1108");
    EXPECT_EQ(r.cv, "5.53");
    EXPECT_EQ(r.result, "20.04");
}

TEST(SeedWeightFile, EachDeterminationAddsOneLineAndEarlierLinesStay) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kSeedWeightFileName);
    Records recs;
    recs.Add("L7", "0", "1000");
    SeedWeightDetermination d("L7", "Wheat", Method::WholeSample, true);
    d.TakeCounts(recs.All());
    ASSERT_EQ(d.SetWeight(0, 45.3), QString());
    const QDateTime t(QDate(2026, 12, 8), QTime(10, 30), Qt::UTC);
    QString error;
    ASSERT_TRUE(AppendSeedWeight(path, MakeRecord(d, t, "ana", "lab1", "B7"), &error))
        << qPrintable(error);
    ASSERT_TRUE(AppendSeedWeight(path, MakeRecord(d, t.addSecs(60), "bo", "lab2", ""), &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(
        bytes.startsWith("2026-12-08T10:30:00Z\tana\tlab1\tL7\tWheat\twhole sample\tyes\t1\t"
                         "45.3000\t1000\t\t\t\t\t45.30\tB7\r\n"))
        << bytes.constData();
    std::vector<QStringList> rows;
    ASSERT_TRUE(ReadSeedWeights(path, &rows, &error));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].value(1), "bo");
    EXPECT_EQ(rows[1].size(), SeedWeightColumns().size());

    // A file that cannot be read is not overwritten.
    const QString blocked = dir.filePath("folder");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_FALSE(AppendSeedWeight(blocked, MakeRecord(d, t, "ana", "lab1", ""), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SeedWeightFile, ExportsAsCsvAndWorkbook) {
    QTemporaryDir dir;
    const std::vector<QStringList> rows = {
        {"2026-12-08T10:30:00Z", "ana", "lab1", "=L7", "Wheat, red", "replicates", "no", "8",
         "4.5;4.6", "100;100", "", "4.5500", "0.0707", "1.55", "45.50", "B7"}};
    QString error;
    const QString csv = dir.filePath("w.csv");
    ASSERT_TRUE(WriteSeedWeightsCsv(csv, rows, &error)) << qPrintable(error);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("Time,Operator,Station,Id_barcode"));
    // A formula is guarded; a comma quoted.
    EXPECT_TRUE(text.contains(",'=L7,\"Wheat, red\",replicates,")) << qPrintable(text);
    const QString xlsx = dir.filePath("w.xlsx");
    ASSERT_TRUE(WriteSeedWeightsXlsx(xlsx, rows, &error)) << qPrintable(error);
    QFile x(xlsx);
    ASSERT_TRUE(x.open(QIODevice::ReadOnly));
    EXPECT_TRUE(x.read(2) == "PK");
}
