#include <gtest/gtest.h>

#include "data/SeedWeight.h"
#include "support/CaseName.h"

using namespace seed_weight;

namespace {

std::vector<Replicate> Of(const std::vector<double>& grams) {
    std::vector<Replicate> out;
    for (double g : grams) {
        out.push_back({g, kSeedsPerReplicate});
    }
    return out;
}

// Figures worked out apart from the code, with python3's statistics module
// (mean, stdev) on the same weights.
struct StatsCase {
    const char* name;
    std::vector<double> grams;
    bool chaffy;
    double mean, s, cv;
    bool needMore;
    std::vector<int> far;
    bool complete;
    double result;
};

class ReplicateStatistics : public ::testing::TestWithParam<StatsCase> {};

TEST_P(ReplicateStatistics, MatchFiguresWorkedOutApart) {
    const StatsCase& c = GetParam();
    const ReplicateFigures f = Figures(Of(c.grams), c.chaffy);
    EXPECT_NEAR(f.mean, c.mean, 1e-12);
    EXPECT_NEAR(f.s, c.s, 1e-12);
    EXPECT_NEAR(f.cv, c.cv, 1e-9);
    EXPECT_EQ(f.limit, c.chaffy ? 6.0 : 4.0);
    EXPECT_EQ(f.needMore, c.needMore);
    EXPECT_EQ(f.far, c.far);
    EXPECT_EQ(f.complete, c.complete);
    EXPECT_NEAR(f.result, c.result, 1e-9);
}

const std::vector<double> kSpread = {1.00, 1.10, 0.95, 1.05, 1.02, 0.98, 1.08, 0.96};
const std::vector<double> kSixteen = {2.01, 2.03, 1.98, 2.00, 2.02, 1.99, 2.30, 2.01,
                                      2.00, 1.97, 2.02, 2.01, 1.99, 2.00, 2.03, 1.70};

INSTANTIATE_TEST_SUITE_P(
    SeedWeight, ReplicateStatistics,
    ::testing::Values(StatsCase{"EightCloseWeights",
                                {4.512, 4.498, 4.531, 4.476, 4.505, 4.520, 4.489, 4.515},
                                false,
                                4.50575,
                                0.017693824588579578,
                                0.39269432588535935,
                                false,
                                {},
                                true,
                                45.0575},
                      // CV 5.43: within the chaffy limit, over the other one.
                      StatsCase{"ChaffyWithinSix",
                                kSpread,
                                true,
                                1.0175,
                                0.05522680508593635,
                                5.427695831541656,
                                false,
                                {},
                                true,
                                10.175},
                      StatsCase{"OtherOverFourAsksForEightMore",
                                kSpread,
                                false,
                                1.0175,
                                0.05522680508593635,
                                5.427695831541656,
                                true,
                                {},
                                false,
                                10.175},
                      // The first eight, with one far weight: flagged, not discarded.
                      StatsCase{"FarWeightFlaggedInTheFirstEight",
                                {2.01, 2.03, 1.98, 2.00, 2.02, 1.99, 2.30, 2.01},
                                false,
                                2.0425,
                                0.10525479290071033,
                                5.153233434551301,
                                true,
                                {6},
                                false,
                                20.425},
                      // Sixteen: s over all, the two beyond 2 s discarded from the result.
                      StatsCase{"SixteenDiscardBeyondTwoS",
                                kSixteen,
                                false,
                                2.00375,
                                0.1108076411324297,
                                5.530013281718263,
                                false,
                                {6, 15},
                                true,
                                20.04285714285714}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace

TEST(SeedWeight, ShortReplicateCountsAsItsOwnSeedsAndIsReported) {
    // 0.98 g of 98 seeds is 1.00 g per 100 seeds.
    std::vector<Replicate> r = Of({1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0});
    r.push_back({0.98, 98});
    const ReplicateFigures f = Figures(r, false);
    EXPECT_TRUE(f.shortCounted);
    EXPECT_NEAR(f.mean, 1.0, 1e-12);
    EXPECT_NEAR(f.s, 0.0, 1e-12);
    EXPECT_NEAR(f.result, 10.0, 1e-12);
    EXPECT_FALSE(Figures(Of({1.0, 1.0}), false).shortCounted);
}

TEST(SeedWeight, WholeSampleIsThousandTimesWeightOverSeeds) {
    EXPECT_DOUBLE_EQ(WholeSample(45.3, 1000), 45.3);
    EXPECT_DOUBLE_EQ(WholeSample(12.5, 2500), 5.0);
    EXPECT_EQ(WholeSample(12.5, 0), 0.0);
}

TEST(SeedWeight, NoPositiveWeightIsRefused) {
    EXPECT_TRUE(WeightProblem(0.0001).isEmpty());
    EXPECT_FALSE(WeightProblem(0).isEmpty());
    EXPECT_FALSE(WeightProblem(-1.5).isEmpty());
    EXPECT_FALSE(WeightProblem(std::nan("")).isEmpty());
}

TEST(SeedWeight, DecimalsFollowTheWeightBandAtEachBoundary) {
    const std::vector<std::pair<double, QString>> cases = {
        {0.5, "0.5000"},   {0.99994, "0.9999"}, {0.99996, "1.000"}, {1.0, "1.000"},
        {9.9994, "9.999"}, {9.9996, "10.00"},   {10.0, "10.00"},    {99.994, "99.99"},
        {99.996, "100.0"}, {100.0, "100.0"},    {999.94, "999.9"},  {999.96, "1000"},
        {1000.0, "1000"},  {1234.4, "1234"},    {45.0575, "45.06"}, {0.012345, "0.0123"},
    };
    for (const auto& [grams, text] : cases) {
        EXPECT_EQ(FormatResult(grams), text) << grams;
    }
}
