#include <gtest/gtest.h>

#include <memory>

#include "link/BalanceSim.h"
#include "support/CaseName.h"

using Event = BalanceLink::Event;

namespace {

// What one weighing against a simulated balance ends in.
struct WeighCase {
    const char* name;
    QStringList options;
    Event::Kind kind;
    double grams;
    const char* words;  // in the failure's text
};

class BalanceWeighing : public ::testing::TestWithParam<WeighCase> {};

TEST_P(BalanceWeighing, EndsInOneWeightOrOneClearMessage) {
    const WeighCase& c = GetParam();
    BalanceSim sim(c.options);
    ASSERT_TRUE(sim.Started());
    BalanceProbe probe;
    ASSERT_EQ(probe.link.Open(sim.Link(), {}), QString());
    ASSERT_TRUE(probe.link.Weigh());
    EXPECT_FALSE(probe.link.Weigh()) << "one request at a time";
    ASSERT_TRUE(probe.WaitEvents(1));
    QTest::qWait(150);  // nothing more follows
    ASSERT_EQ(probe.events.size(), 1u);
    const Event& e = probe.events[0];
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_NEAR(e.grams, c.grams, 1e-9);
    EXPECT_FALSE(e.unasked);
    EXPECT_TRUE(e.text.contains(c.words)) << qPrintable(e.text);
    EXPECT_FALSE(probe.link.Waiting());
}

INSTANTIATE_TEST_SUITE_P(
    Balance, BalanceWeighing,
    ::testing::Values(
        WeighCase{"Stable", {"--weights", "4.5123"}, Event::Weight, 4.5123, ""},
        WeighCase{"UnstableThenStable",
                  {"--weights", "4.5123", "--unstable", "3"},
                  Event::Weight,
                  4.5123,
                  ""},
        WeighCase{"InMilligrams",
                  {"--weights", "4.5123", "--unit", "mg", "--decimals", "1"},
                  Event::Weight,
                  4.5123,
                  ""},
        WeighCase{"AnswerSplitAcrossReads",
                  {"--weights", "4.5123", "--split"},
                  Event::Weight,
                  4.5123,
                  ""},
        WeighCase{"NeverSettles",
                  {"--weights", "4.5", "--unstable", "1000"},
                  Event::Failure,
                  0,
                  "did not settle"},
        WeighCase{"Overload",
                  {"--script", VYN8_FIXTURES_DIR "/balance/overload.txt"},
                  Event::Failure,
                  0,
                  "overloaded"},
        WeighCase{"WrongUnit", {"--weights", "0.01", "--unit", "lb"}, Event::Failure, 0, "\"lb\""},
        WeighCase{"NoAnswer",
                  {"--weights", "4.5", "--silent"},
                  Event::Failure,
                  0,
                  "did not answer within 1 s"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace

TEST(BalanceLink, PrintKeyWeightsArriveUnasked) {
    BalanceSim sim({"--weights", "1.25,1.5", "--print-every", "100"});
    ASSERT_TRUE(sim.Started());
    BalanceProbe probe;
    ASSERT_EQ(probe.link.Open(sim.Link(), {}), QString());
    ASSERT_TRUE(probe.WaitEvents(2));
    EXPECT_EQ(probe.events[0].kind, Event::Weight);
    EXPECT_TRUE(probe.events[0].unasked);
    EXPECT_DOUBLE_EQ(probe.events[0].grams, 1.25);
    EXPECT_DOUBLE_EQ(probe.events[1].grams, 1.5);
}

TEST(BalanceLink, SerialNumberAndEachWeighingTakesTheNextWeight) {
    BalanceSim sim({"--weights", "2.1,2.2", "--serial", "SN-77"});
    ASSERT_TRUE(sim.Started());
    BalanceProbe probe;
    ASSERT_EQ(probe.link.Open(sim.Link(), {}), QString());
    ASSERT_TRUE(probe.link.AskSerial());
    ASSERT_TRUE(probe.WaitEvents(1));
    EXPECT_EQ(probe.events[0].kind, Event::Serial);
    EXPECT_EQ(probe.events[0].text, "SN-77");
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_TRUE(probe.link.Weigh());
        ASSERT_TRUE(probe.WaitEvents(2 + i));
    }
    EXPECT_DOUBLE_EQ(probe.events[1].grams, 2.1);
    EXPECT_DOUBLE_EQ(probe.events[2].grams, 2.2);
}

TEST(BalanceLink, MissingPortIsToldAndNothingIsOpen) {
    BalanceProbe probe;
    const QString error = probe.link.Open("/nonexistent/balance", {});
    EXPECT_TRUE(error.contains("could not be opened")) << qPrintable(error);
    EXPECT_FALSE(probe.link.IsOpen());
    EXPECT_FALSE(probe.link.Weigh());
}

TEST(BalanceLink, UnpluggedBalanceIsToldOnceAndTheLinkCanOpenAgain) {
    auto sim = std::make_unique<BalanceSim>(QStringList{"--weights", "3.3"});
    ASSERT_TRUE(sim->Started());
    const QString path = sim->Link();
    BalanceProbe probe;
    ASSERT_EQ(probe.link.Open(path, {}), QString());
    sim.reset();  // the balance goes away
    ASSERT_TRUE(probe.WaitEvents(1));
    QTest::qWait(100);
    ASSERT_EQ(probe.events.size(), 1u);
    EXPECT_EQ(probe.events[0].kind, Event::Failure);
    EXPECT_TRUE(probe.events[0].text.contains("line is gone")) << qPrintable(probe.events[0].text);
    EXPECT_FALSE(probe.link.IsOpen());
    EXPECT_FALSE(probe.link.Weigh());

    BalanceSim again({"--weights", "3.3"});
    ASSERT_TRUE(again.Started());
    ASSERT_EQ(probe.link.Open(again.Link(), {}), QString());
    ASSERT_TRUE(probe.link.Weigh());
    ASSERT_TRUE(probe.WaitEvents(2));
    EXPECT_DOUBLE_EQ(probe.events[1].grams, 3.3);
}

TEST(BalanceLink, LateAnswerAfterTheTimeOutIsNotTakenForAPrintKeyWeight) {
    BalanceSim sim({"--weights", "2.5,2.6", "--delay", "1400"});
    ASSERT_TRUE(sim.Started());
    BalanceProbe probe;  // answers within 1 s
    ASSERT_EQ(probe.link.Open(sim.Link(), {}), QString());
    ASSERT_TRUE(probe.link.Weigh());
    ASSERT_TRUE(probe.WaitEvents(1));
    EXPECT_EQ(probe.events[0].kind, Event::Failure);
    QTest::qWait(800);  // the late 2.5 g arrives meanwhile and is dropped
    EXPECT_EQ(probe.events.size(), 1u);
}
