#include "run_fixture.h"

namespace tamrel {
namespace {

using testing::ComputeRunTest;

struct CheckCase {
    const char* name;
    int quantity;
    std::vector<std::pair<std::string, std::string>> fields;
    const char* message;
};

class InputCheck : public ComputeRunTest, public ::testing::WithParamInterface<CheckCase> {};

// A failed check shows its message and leaves every result and every other row at "---".
TEST_P(InputCheck, StopsWithItsMessageAndNoResults) {
    const CheckCase& c = GetParam();
    select(c.quantity);
    for (const auto& [field, value] : c.fields) {
        set(field, value);
    }
    const std::string typedReference = text(field::reference(c.quantity));
    state.drawingGeometry.db = 42;
    set(field::DKG, "1");

    compute();

    EXPECT_EQ(text(field::Error), c.message);
    expectAllResults(Placeholder);
    for (int i = 0; i < QuantityCount; ++i) {
        if (i != c.quantity) {
            EXPECT_EQ(text(field::reference(i)), Placeholder);
            EXPECT_EQ(text(field::upperTolerance(i)), Placeholder);
            EXPECT_EQ(text(field::lowerTolerance(i)), Placeholder);
        }
    }
    EXPECT_EQ(text(field::reference(c.quantity)), typedReference);
    EXPECT_EQ(state.drawingGeometry.db, 42);
    EXPECT_EQ(text(field::DKG), "1");
    EXPECT_FALSE(store.coordinates().set);
}

const CheckCase checkCases[] = {
    {"ModuleZero", W, {{"TextMN", "0"}}, "ERROR:MN was wrong!"},
    {"ModuleEmpty", W, {{"TextMN", ""}}, "ERROR:MN was wrong!"},
    {"PressureAngleZero", W, {{"TextPN", "0"}}, "ERROR:PN was wrong!"},
    {"PressureAngleNegative", W, {{"TextPN", "-20"}}, "ERROR:PN was wrong!"},
    {"TeethFraction", W, {{"TextZG", "59.5"}}, "ERROR:ZG was wrong!"},
    {"TeethZero", W, {{"TextZG", "0"}}, "ERROR:ZG was wrong!"},
    {"TeethBeyond16Bits", W, {{"TextZG", "40000"}}, "ERROR:ZG was wrong!"},
    {"TeethBelow16Bits", W, {{"TextZG", "-32769"}}, "ERROR:ZG was wrong!"},
    {"HelixEmpty", W, {{"TextBOG", ""}}, "ERROR:BOG was wrong!"},
    {"OnlyFirstBadFieldReported",
     W,
     {{"TextPN", "x"}, {"TextZG", "x"}, {"TextBOG", "x"}},
     "ERROR:PN was wrong!"},
    {"XnReference", Xn, {{"TextS(0)", "abc"}}, "ERROR:Xn was wrong!"},
    {"XnUpper", Xn, {{"TextS1(0)", ""}}, "ERROR:S1 was wrong!"},
    {"XnLower", Xn, {{"TextS2(0)", "---"}}, "ERROR:S2 was wrong!"},
    {"SpanCountFraction", W, {{"TextZMG", "8.5"}}, "ERROR:ZMG is not Integer!"},
    {"SpanCountZero", W, {{"TextZMG", "0"}}, "ERROR:ZMG was wrong!"},
    {"SpanCountNegative", W, {{"TextZMG", "-8"}}, "ERROR:ZMG was wrong!"},
    {"SpanCountBeyond16Bits", W, {{"TextZMG", "40000"}}, "ERROR:ZMG was wrong!"},
    {"SpanReference", W, {{"TextS(1)", "1,5"}}, "ERROR:SMG was wrong!"},
    {"SpanUpper", W, {{"TextS1(1)", "+"}}, "ERROR:S1 was wrong!"},
    {"SpanLower", W, {{"TextS2(1)", "0x1"}}, "ERROR:S2 was wrong!"},
    {"SpanMiddleNotPositive",
     W,
     {{"TextS(1)", "1"}, {"TextS1(1)", "0"}, {"TextS2(1)", "-3"}},
     "ERROR:SMG,S1,S2 was wrong!"},
    {"SpanCountBeforeReference", W, {{"TextZMG", ""}, {"TextS(1)", ""}}, "ERROR:ZMG was wrong!"},
    {"PinDiameterZero", M, {{"TextDPG", "0"}}, "ERROR:DPG was wrong!"},
    {"PinReference", M, {{"TextS(2)", "nan"}}, "ERROR:DMG was wrong!"},
    {"PinUpper", M, {{"TextS1(2)", "inf"}}, "ERROR:S1 was wrong!"},
    {"PinLower", M, {{"TextS2(2)", "1e400"}}, "ERROR:S2 was wrong!"},
    {"PinMiddleNotPositive", M, {{"TextS(2)", "-200"}}, "ERROR:DMG,S1,S2 was wrong!"},
    {"ThicknessReference", Sn, {{"TextS(3)", ""}}, "ERROR:SNG was wrong!"},
    {"ThicknessUpper", Sn, {{"TextS1(3)", "1.2.3"}}, "ERROR:S1 was wrong!"},
    {"ThicknessLower", Sn, {{"TextS2(3)", "e"}}, "ERROR:S2 was wrong!"},
    {"SpanCountOptionalBeyond16Bits", Xn, {{"TextZMG", "40000"}}, "ERROR:ZMG was wrong!"},
    {"GearDataBeforeMode", Sn, {{"TextBOG", "?"}, {"TextS(3)", "?"}}, "ERROR:BOG was wrong!"},
};

INSTANTIATE_TEST_SUITE_P(Messages, InputCheck, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputeRunTest, DiametralPitchAndInternalGearAreAccepted) {
    // State: a diametral pitch of 8 is a module of 25.4 / 8 = 3.175.
    set(field::MN, "-8");
    // Action
    compute();
    // Expected: the same results as the module itself.
    EXPECT_EQ(text(field::Error), "");
    EXPECT_EQ(text(field::middle(Xn)), "-0.144480037508883");

    set(field::MN, "3.175");
    set(field::ZG, "-60");
    set(field::BOG, "-15");
    compute();
    EXPECT_EQ(text(field::Error), "");
    EXPECT_EQ(state.drawingGeometry.zAbs, 60);
}

TEST_F(ComputeRunTest, NegativeReferenceThicknessIsLeftToTheGeometry) {
    select(Sn);
    set(field::reference(Sn), "-1");
    compute();
    EXPECT_EQ(text(field::Error), "");
    EXPECT_NE(text(field::middle(Xn)), Placeholder);
}

TEST_F(ComputeRunTest, ArithmeticFailureEndsTheRunWithItsOwnMessage) {
    // State: a first run leaves geometry, diameters and coordinates.
    compute();
    const DrawingGeometry before = state.drawingGeometry;
    const auto coordinatesBefore = store.coordinates();
    const std::string tipBefore = text(field::DKG);
    // Action: a module so large that the picture's single-precision coordinates overflow.
    set(field::MN, "1e300");
    compute();
    // Expected: the message, no exponent and no nan anywhere, nothing of the run's end changed.
    EXPECT_EQ(text(field::Error), CalculationFailedMessage);
    for (const auto& name : testing::gridFields()) {
        const bool typedByUser = name == field::reference(W) || name == field::upperTolerance(W) ||
                                 name == field::lowerTolerance(W);
        const std::string value = text(name);
        EXPECT_TRUE(typedByUser || value == Placeholder || testing::isProgramNumber(value))
            << name << "=" << value;
    }
    EXPECT_EQ(state.drawingGeometry.db, before.db);
    EXPECT_EQ(state.drawingGeometry.xMid, before.xMid);
    EXPECT_EQ(store.coordinates().y1, coordinatesBefore.y1);
    EXPECT_EQ(text(field::DKG), tipBefore);
    EXPECT_EQ(state.rotationAngle, 0);

    // |Z| of -32768 does not fit 16 bits.
    set(field::MN, "3.175");
    set(field::ZG, "-32768");
    compute();
    EXPECT_EQ(text(field::Error), CalculationFailedMessage);
    expectAllResults(Placeholder);
}

}  // namespace
}  // namespace tamrel
