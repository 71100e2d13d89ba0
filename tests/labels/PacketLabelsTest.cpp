#include <gtest/gtest.h>

#include "data/Cvyn8_rk47Doc.h"
#include "labels/LabelLayout.h"
#include "labels/PacketLabels.h"

namespace {

struct Case {
    const char* name;
    // Records as ID, PackNo, Num/P, Total Quantity, Comment.
    std::vector<std::array<QString, 5>> records;
    // Labels as "ID n/N seeds".
    QStringList labels;
};

QString Show(const PacketLabel& l) {
    return QString("%1 %2/%3 %4").arg(l.id).arg(l.packet).arg(l.packets).arg(l.seeds);
}

}  // namespace

class PacketLabelsOf : public ::testing::TestWithParam<Case> {};

TEST_P(PacketLabelsOf, RecordsGiveOneLabelPerPacketNumberedAcrossTheSeries) {
    Cvyn8_rk47Doc doc;
    for (const auto& r : GetParam().records) {
        doc.AddRecord(r[0])->SetFromRecordOrder(
            {r[0], "Wheat", r[1], r[2], "", r[3], "Shelf", r[4]});
    }
    QStringList got;
    for (const PacketLabel& l : LabelsFromRecords(doc.m_records)) {
        got << Show(l);
        EXPECT_EQ(l.seed, "Wheat");
        EXPECT_EQ(l.location, "Shelf");
    }
    EXPECT_EQ(got, GetParam().labels);
    EXPECT_EQ(LabelCountOf(doc.m_records), GetParam().labels.size());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PacketLabelsOf,
    ::testing::Values(
        Case{"BatchSeriesThenTotalize",
             {{"B-7", "2", "10", "", ""},
              {"B-7", "1", "5", "62", ""},
              {"T-1", "0", "900", "900", ""}},
             {"B-7 1/3 10", "B-7 2/3 10", "B-7 3/3 5", "T-1 1/1 900"}},
        Case{"TheSeriesTotalEndsASeries",
             {{"A", "1", "10", "10", ""}, {"A", "2", "5", "", ""}, {"A", "1", "5", "", ""}},
             {"A 1/1 10", "A 1/3 5", "A 2/3 5", "A 3/3 5"}},
        Case{"AnotherIdEndsASeries",
             {{"A", "1", "10", "", ""}, {"B", "1", "4", "", ""}, {"A", "1", "5", "", ""}},
             {"A 1/1 10", "B 1/1 4", "A 1/1 5"}},
        Case{"ASeriesClosedEarly",
             {{"A", "2", "20", "", ""}, {"A", "1", "7", "47", "InComplete"}},
             {"A 1/3 20", "A 2/3 20", "A 3/3 7"}},
        Case{"RecordsWithoutAPacketCountGetOneLabel",
             {{"X", "", "3", "", ""}, {"Y", "many", "4", "", ""}, {"Z", "-2", "5", "", ""}},
             {"X 1/1 3", "Y 1/1 4", "Z 1/1 5"}},
        Case{"NoRecord", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelLayout, SheetLabelsRunAlongTheRowsAndMustFitTheSheet) {
    LabelLayout sheet = LabelPresets().at(2).layout;
    EXPECT_EQ(sheet.LabelsPerPage(), 24);
    EXPECT_EQ(sheet.LabelRect(0), QRectF(7.2, 12.9, 63.5, 33.9));
    EXPECT_EQ(sheet.LabelRect(4).topLeft(), QPointF(7.2 + 66, 12.9 + 33.9));
    EXPECT_LE(sheet.LabelRect(23).right(), kA4Width);
    EXPECT_LE(sheet.LabelRect(23).bottom(), kA4Height);
    EXPECT_EQ(sheet.PaperProblem(), "");

    sheet.columns = 4;
    EXPECT_TRUE(sheet.PaperProblem().contains("more than an A4 sheet"))
        << sheet.PaperProblem().toStdString();
    EXPECT_EQ(PresetIndexOf(sheet), -1);

    const LabelLayout roll = LabelPresets().at(1).layout;
    EXPECT_EQ(roll.PageSize(), QSizeF(57, 32));
    EXPECT_EQ(roll.LabelsPerPage(), 1);
    EXPECT_EQ(roll.LabelRect(0), QRectF(0, 0, 57, 32));
}
