#include "conversion/number_format.h"
#include "run_fixture.h"

#include <map>

namespace tamrel {
namespace {

using testing::ComputeRunTest;

using FieldTexts = std::map<Field, std::string>;

struct ModeCase {
    const char* name;
    Quantity quantity;
    const char* reference;
    FieldTexts expected;  // every converted text, digit for digit
};

class DefaultGearRun : public ComputeRunTest, public ::testing::WithParamInterface<ModeCase> {};

// The default gear in each mode, fed with the values of the Xn run: every text is pinned.
TEST_P(DefaultGearRun, PinsEveryText) {
    const ModeCase& c = GetParam();
    select(c.quantity);
    set(reference(c.quantity), c.reference);
    compute();
    EXPECT_EQ(text(Field::Error), "");
    for (const auto& [field, expected] : c.expected) {
        EXPECT_EQ(text(field), expected) << fieldName(field);
    }
    for (Quantity i : Quantities) {
        if (i != c.quantity) {
            EXPECT_EQ(text(upperTolerance(i)), "0.") << i;
            EXPECT_EQ(text(lowerTolerance(i)), "0.") << i;
        }
        EXPECT_EQ(text(middle(i)), text(maximum(i))) << i;
        EXPECT_EQ(text(middle(i)), text(minimum(i))) << i;
    }
}

const ModeCase modeCases[] = {
    {"Xn",
     Xn,
     "-0.1445",
     {{middle(Xn), "-0.1445"},
      {reference(W), "72.8800566449046"},
      {middle(W), "72.8800566449046"},
      {reference(M), "200.788795636128"},
      {reference(Sn), "4.65330834986698"},
      {Field::DKG, "199.3655"},
      {Field::DRG, "185.078"}}},
    {"W",
     W,
     "72.8801",
     {{middle(W), "72.8801"},
      {reference(Xn), "-0.144480037508883"},
      {middle(Xn), "-0.144480037508883"},
      {reference(M), "200.788916325961"},
      {reference(Sn), "4.65335448739579"},
      {Field::DKG, "199.3656"},
      {Field::DRG, "185.0781"}}},
    {"M",
     M,
     "200.789",
     {{middle(M), "200.789"},
      {reference(Xn), "-0.144466197504977"},
      {reference(W), "72.8801300581068"}}},
    {"Sn",
     Sn,
     "4.6533",
     {{middle(Sn), "4.6533"},
      {reference(Xn), "-0.144503612767085"},
      {reference(W), "72.8800487985962"},
      {reference(M), "200.788773793901"},
      {Field::DKG, "199.3655"},
      {Field::DRG, "185.078"}}},
};

INSTANTIATE_TEST_SUITE_P(Modes, DefaultGearRun, ::testing::ValuesIn(modeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputeRunTest, EveryModeGivesBackTheProfileShiftToFourDecimals) {
    for (Quantity quantity : {W, M, Sn}) {
        select(quantity);
        set(reference(quantity), std::map<Quantity, std::string>{
                                     {W, "72.8801"}, {M, "200.789"}, {Sn, "4.6533"}}[quantity]);
        compute();
        EXPECT_NEAR(std::stod(text(middle(Xn))), -0.1445, 5e-5) << quantity;
    }
}

// Each entry is written the moment it is computed, in the order of its mode.
TEST_F(ComputeRunTest, PublicationOrderOfEachMode) {
    const std::map<Quantity, std::vector<Field>> orders{
        {Xn, {middle(Xn),        maximum(Xn),        minimum(Xn),       reference(Sn),
              reference(W),      reference(M),       maximum(Sn),       maximum(W),
              maximum(M),        upperTolerance(Sn), upperTolerance(W), upperTolerance(M),
              minimum(Sn),       minimum(W),         minimum(M),        lowerTolerance(Sn),
              lowerTolerance(W), lowerTolerance(M),  middle(Sn),        middle(W),
              middle(M)}},
        {W, {middle(W),         maximum(W),         minimum(W),        reference(Xn),
             reference(Sn),     reference(M),       maximum(Xn),       maximum(Sn),
             maximum(M),        upperTolerance(Sn), upperTolerance(M), upperTolerance(Xn),
             minimum(Xn),       minimum(Sn),        minimum(M),        lowerTolerance(Sn),
             lowerTolerance(M), lowerTolerance(Xn), middle(Xn),        middle(Sn),
             middle(M)}},
        {M, {reference(Xn),      reference(Sn),     reference(W),       maximum(Xn),
             maximum(Sn),        maximum(W),        upperTolerance(Sn), upperTolerance(W),
             upperTolerance(Xn), minimum(Xn),       minimum(Sn),        minimum(W),
             lowerTolerance(Sn), lowerTolerance(W), lowerTolerance(Xn), middle(M),
             maximum(M),         minimum(M),        middle(Xn),         middle(Sn),
             middle(W)}},
        {Sn, {middle(Sn),        maximum(Sn),        minimum(Sn),       reference(Xn),
              reference(W),      reference(M),       maximum(Xn),       maximum(W),
              maximum(M),        upperTolerance(W),  upperTolerance(M), upperTolerance(Xn),
              minimum(Xn),       minimum(W),         minimum(M),        lowerTolerance(W),
              lowerTolerance(M), lowerTolerance(Xn), middle(Xn),        middle(W),
              middle(M)}},
    };
    for (const auto& [quantity, order] : orders) {
        select(quantity);
        set(reference(quantity), "72.8801");
        if (quantity == Xn || quantity == Sn) {
            set(reference(quantity), quantity == Xn ? "0.1" : "5");
        } else if (quantity == M) {
            set(reference(quantity), "200.8");
        }
        set(upperTolerance(quantity), "0.01");
        set(lowerTolerance(quantity), "-0.02");
        compute();
        auto expected = order;
        expected.insert(expected.end(), {Field::DKG, Field::DRG});
        EXPECT_EQ(writesAfterReset(), expected) << quantity;
    }
}

TEST_F(ComputeRunTest, PinModeStopsWhereOnlyTheMaxIsOutOfReach) {
    // State: M 200.7889 is reachable, M + S1 = 140.7889 lies inside the base circle.
    select(M);
    set(reference(M), "200.7889");
    set(upperTolerance(M), "-60");
    // Action
    compute();
    // Expected: the nominal pass stands in the reference rows; everything after stays "---".
    EXPECT_EQ(text(Field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(reference(Xn)), "-0.144482737880543");
    EXPECT_EQ(text(reference(Sn)), "4.65334824626714");
    EXPECT_EQ(text(reference(W)), "72.8800941352575");
    expectAllResults(Placeholder);
    EXPECT_EQ(text(upperTolerance(Xn)), Placeholder);
    EXPECT_EQ(text(Field::DKG), "200.2831");

    // Unreachable from the start: nothing is published.
    set(reference(M), "150");
    set(upperTolerance(M), "0");
    compute();
    EXPECT_EQ(text(Field::Error), "Check your DM or DP please!");
    EXPECT_EQ(text(reference(Xn)), Placeholder);
}

TEST_F(ComputeRunTest, BandColumnsFollowTheTolerancesWithoutSwapping) {
    // State: S1 below S2, on an internal gear.
    select(Xn);
    set(Field::ZG, "-59");
    set(reference(Xn), "0");
    set(upperTolerance(Xn), "-0.1");
    set(lowerTolerance(Xn), "0.1");
    compute();
    EXPECT_EQ(text(maximum(Xn)), "-0.1");
    EXPECT_EQ(text(minimum(Xn)), "0.1");
    EXPECT_EQ(text(middle(Xn)), "0.");
    // For an internal gear a positive shift makes the tooth thinner.
    EXPECT_GT(std::stod(text(maximum(Sn))), std::stod(text(minimum(Sn))));
    // Deviations are formed from the displayed texts.
    const double upper = std::stod(text(maximum(W))) - std::stod(text(reference(W)));
    EXPECT_EQ(text(upperTolerance(W)), formatResult(upper, locale));
}

TEST_F(ComputeRunTest, OptionalMeasuresAreLeftOutWithoutAMessage) {
    // State: no span count and no pin diameter while Xn is the reference.
    select(Xn);
    set(Field::ZMG, "");
    set(Field::DPG, "0");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    for (Quantity q : {W, M}) {
        EXPECT_EQ(text(reference(q)), Placeholder);
        EXPECT_EQ(text(upperTolerance(q)), Placeholder);
        EXPECT_EQ(text(middle(q)), Placeholder);
        EXPECT_EQ(text(minimum(q)), Placeholder);
    }
    EXPECT_NE(text(middle(Sn)), Placeholder);

    // A span count that is not a whole number is absent outside its own mode.
    set(Field::ZMG, "8.5");
    set(Field::DPG, "5.5");
    compute();
    EXPECT_EQ(text(middle(W)), Placeholder);
    EXPECT_NE(text(middle(M)), Placeholder);
}

TEST_F(ComputeRunTest, UnreachablePinMeasureIsAPlaceholderAndTheRunGoesOn) {
    // State: Xn -2 puts the pin centre inside the base circle; max and min stay reachable.
    select(Xn);
    set(reference(Xn), "-2");
    set(upperTolerance(Xn), "2");
    set(lowerTolerance(Xn), "1.9");
    compute();
    EXPECT_EQ(text(Field::Error), "");
    EXPECT_EQ(text(reference(M)), Placeholder);
    EXPECT_NE(text(maximum(M)), Placeholder);
    EXPECT_EQ(text(upperTolerance(M)), Placeholder);
    EXPECT_EQ(text(lowerTolerance(M)), Placeholder);
    EXPECT_NE(text(upperTolerance(W)), Placeholder);
}

}  // namespace
}  // namespace tamrel
