#include "conversion/number_format.h"
#include "run_fixture.h"

#include <map>

namespace tamrel {
namespace {

using testing::ComputeRunTest;

using FieldTexts = std::map<std::string, std::string>;

struct ModeCase {
    const char* name;
    int quantity;
    const char* reference;
    FieldTexts expected;  // every converted text, digit for digit
};

class DefaultGearRun : public ComputeRunTest, public ::testing::WithParamInterface<ModeCase> {};

// The default gear in each mode, fed with the values of the Xn run: every text is pinned.
TEST_P(DefaultGearRun, PinsEveryText) {
    const ModeCase& c = GetParam();
    select(c.quantity);
    set(field::reference(c.quantity), c.reference);
    compute();
    EXPECT_EQ(text(field::Error), "");
    for (const auto& [field, expected] : c.expected) {
        EXPECT_EQ(text(field), expected) << field;
    }
    for (int i = 0; i < QuantityCount; ++i) {
        if (i != c.quantity) {
            EXPECT_EQ(text(field::upperTolerance(i)), "0.") << i;
            EXPECT_EQ(text(field::lowerTolerance(i)), "0.") << i;
        }
        EXPECT_EQ(text(field::middle(i)), text(field::maximum(i))) << i;
        EXPECT_EQ(text(field::middle(i)), text(field::minimum(i))) << i;
    }
}

const ModeCase modeCases[] = {
    {"Xn",
     Xn,
     "-0.1445",
     {{"TextSXn", "-0.1445"},
      {"TextS(1)", "72.8800566449046"},
      {"TextSW", "72.8800566449046"},
      {"TextS(2)", "200.788795636128"},
      {"TextS(3)", "4.65330834986698"},
      {"TextDKG", "199.3655"},
      {"TextDRG", "185.078"}}},
    {"W",
     W,
     "72.8801",
     {{"TextSW", "72.8801"},
      {"TextS(0)", "-0.144480037508883"},
      {"TextSXn", "-0.144480037508883"},
      {"TextS(2)", "200.788916325961"},
      {"TextS(3)", "4.65335448739579"},
      {"TextDKG", "199.3656"},
      {"TextDRG", "185.0781"}}},
    {"M",
     M,
     "200.789",
     {{"TextSM", "200.789"}, {"TextS(0)", "-0.144466197504977"}, {"TextS(1)", "72.8801300581068"}}},
    {"Sn",
     Sn,
     "4.6533",
     {{"TextSSn", "4.6533"},
      {"TextS(0)", "-0.144503612767085"},
      {"TextS(1)", "72.8800487985962"},
      {"TextS(2)", "200.788773793901"},
      {"TextDKG", "199.3655"},
      {"TextDRG", "185.078"}}},
};

INSTANTIATE_TEST_SUITE_P(Modes, DefaultGearRun, ::testing::ValuesIn(modeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputeRunTest, EveryModeGivesBackTheProfileShiftToFourDecimals) {
    for (int quantity : {W, M, Sn}) {
        select(quantity);
        set(field::reference(quantity),
            std::map<int, std::string>{{W, "72.8801"}, {M, "200.789"}, {Sn, "4.6533"}}[quantity]);
        compute();
        EXPECT_NEAR(std::stod(text(field::middle(Xn))), -0.1445, 5e-5) << quantity;
    }
}

// Each entry is written the moment it is computed, in the order of its mode.
TEST_F(ComputeRunTest, PublicationOrderOfEachMode) {
    const std::map<int, std::vector<std::string>> orders{
        {Xn, {"TextSXn", "TextSXn1",  "TextSXn2",  "TextS(3)",  "TextS(1)",  "TextS(2)", "TextSSn1",
              "TextSW1", "TextSM1",   "TextS1(3)", "TextS1(1)", "TextS1(2)", "TextSSn2", "TextSW2",
              "TextSM2", "TextS2(3)", "TextS2(1)", "TextS2(2)", "TextSSn",   "TextSW",   "TextSM"}},
        {W, {"TextSW",   "TextSW1",   "TextSW2",   "TextS(0)",  "TextS(3)",  "TextS(2)", "TextSXn1",
             "TextSSn1", "TextSM1",   "TextS1(3)", "TextS1(2)", "TextS1(0)", "TextSXn2", "TextSSn2",
             "TextSM2",  "TextS2(3)", "TextS2(2)", "TextS2(0)", "TextSXn",   "TextSSn",  "TextSM"}},
        {M, {"TextS(0)",  "TextS(3)",  "TextS(1)", "TextSXn1", "TextSSn1", "TextSW1",   "TextS1(3)",
             "TextS1(1)", "TextS1(0)", "TextSXn2", "TextSSn2", "TextSW2",  "TextS2(3)", "TextS2(1)",
             "TextS2(0)", "TextSM",    "TextSM1",  "TextSM2",  "TextSXn",  "TextSSn",   "TextSW"}},
        {Sn, {"TextSSn", "TextSSn1",  "TextSSn2",  "TextS(0)",  "TextS(1)",  "TextS(2)", "TextSXn1",
              "TextSW1", "TextSM1",   "TextS1(1)", "TextS1(2)", "TextS1(0)", "TextSXn2", "TextSW2",
              "TextSM2", "TextS2(1)", "TextS2(2)", "TextS2(0)", "TextSXn",   "TextSW",   "TextSM"}},
    };
    for (const auto& [quantity, order] : orders) {
        select(quantity);
        set(field::reference(quantity), "72.8801");
        if (quantity == Xn || quantity == Sn) {
            set(field::reference(quantity), quantity == Xn ? "0.1" : "5");
        } else if (quantity == M) {
            set(field::reference(quantity), "200.8");
        }
        set(field::upperTolerance(quantity), "0.01");
        set(field::lowerTolerance(quantity), "-0.02");
        compute();
        auto expected = order;
        expected.insert(expected.end(), {"TextDKG", "TextDRG"});
        EXPECT_EQ(writesAfterReset(), expected) << quantity;
    }
}

TEST_F(ComputeRunTest, PinModeStopsWhereOnlyTheMaxIsOutOfReach) {
    // State: M 200.7889 is reachable, M + S1 = 140.7889 lies inside the base circle.
    select(M);
    set(field::reference(M), "200.7889");
    set(field::upperTolerance(M), "-60");
    // Action
    compute();
    // Expected: the nominal pass stands in the reference rows; everything after stays "---".
    EXPECT_EQ(text(field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(field::reference(Xn)), "-0.144482737880543");
    EXPECT_EQ(text(field::reference(Sn)), "4.65334824626714");
    EXPECT_EQ(text(field::reference(W)), "72.8800941352575");
    expectAllResults(Placeholder);
    EXPECT_EQ(text(field::upperTolerance(Xn)), Placeholder);
    EXPECT_EQ(text(field::DKG), "200.2831");

    // Unreachable from the start: nothing is published.
    set(field::reference(M), "150");
    set(field::upperTolerance(M), "0");
    compute();
    EXPECT_EQ(text(field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(field::reference(Xn)), Placeholder);
}

TEST_F(ComputeRunTest, BandColumnsFollowTheTolerancesWithoutSwapping) {
    // State: S1 below S2, on an internal gear.
    select(Xn);
    set(field::ZG, "-59");
    set(field::reference(Xn), "0");
    set(field::upperTolerance(Xn), "-0.1");
    set(field::lowerTolerance(Xn), "0.1");
    compute();
    EXPECT_EQ(text(field::maximum(Xn)), "-0.1");
    EXPECT_EQ(text(field::minimum(Xn)), "0.1");
    EXPECT_EQ(text(field::middle(Xn)), "0.");
    // For an internal gear a positive shift makes the tooth thinner.
    EXPECT_GT(std::stod(text(field::maximum(Sn))), std::stod(text(field::minimum(Sn))));
    // Deviations are formed from the displayed texts.
    const double upper = std::stod(text(field::maximum(W))) - std::stod(text(field::reference(W)));
    EXPECT_EQ(text(field::upperTolerance(W)), formatResult(upper, locale));
}

TEST_F(ComputeRunTest, OptionalMeasuresAreLeftOutWithoutAMessage) {
    // State: no span count and no pin diameter while Xn is the reference.
    select(Xn);
    set(field::ZMG, "");
    set(field::DPG, "0");
    compute();
    EXPECT_EQ(text(field::Error), "");
    for (int q : {W, M}) {
        EXPECT_EQ(text(field::reference(q)), Placeholder);
        EXPECT_EQ(text(field::upperTolerance(q)), Placeholder);
        EXPECT_EQ(text(field::middle(q)), Placeholder);
        EXPECT_EQ(text(field::minimum(q)), Placeholder);
    }
    EXPECT_NE(text(field::middle(Sn)), Placeholder);

    // A span count that is not a whole number is absent outside its own mode.
    set(field::ZMG, "8.5");
    set(field::DPG, "5.5");
    compute();
    EXPECT_EQ(text(field::middle(W)), Placeholder);
    EXPECT_NE(text(field::middle(M)), Placeholder);
}

TEST_F(ComputeRunTest, UnreachablePinMeasureIsAPlaceholderAndTheRunGoesOn) {
    // State: Xn -2 puts the pin centre inside the base circle; max and min stay reachable.
    select(Xn);
    set(field::reference(Xn), "-2");
    set(field::upperTolerance(Xn), "2");
    set(field::lowerTolerance(Xn), "1.9");
    compute();
    EXPECT_EQ(text(field::Error), "");
    EXPECT_EQ(text(field::reference(M)), Placeholder);
    EXPECT_NE(text(field::maximum(M)), Placeholder);
    EXPECT_EQ(text(field::upperTolerance(M)), Placeholder);
    EXPECT_EQ(text(field::lowerTolerance(M)), Placeholder);
    EXPECT_NE(text(field::upperTolerance(W)), Placeholder);
}

}  // namespace
}  // namespace tamrel
