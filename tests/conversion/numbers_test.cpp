#include "conversion/number_format.h"
#include "conversion/numeric_text.h"
#include "geometry/calculation_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamrel {
namespace {

const NumberLocale dot{"."};
const NumberLocale comma{","};

TEST(NumberFormat, FifteenSignificantDigitsAtMostSixteenDecimalsAlwaysASeparator) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {72.88005664490464, "72.8800566449046"}, {0, "0."}, {-0.0, "0."}, {-1e-20, "0."},
        {0.5, "0.5"}, {-0.1445, "-0.1445"}, {200, "200."}, {1e-16, "0.0000000000000001"},
        {4e-17, "0."}, {6e-17, "0.0000000000000001"}, {0.123456789012345678, "0.123456789012346"},
        {123456789012345678.0, "123456789012346000."}, {1e20, "100000000000000000000."},
        {9.9999999999999999, "10."},
        // Fifteen significant digits first, then half away from zero at the sixteenth decimal.
        {0.006240514317025047663, "0.0062405143170251"},
        {-0.006240514317025047663, "-0.0062405143170251"},
        {0.00999999999999995, "0.01"}, {-0.00999999999999995, "-0.01"},
        {5e-17, "0.0000000000000001"}, {-5e-17, "-0.0000000000000001"}, {1e-17, "0."},
        {0.00123456789012345, "0.0012345678901235"}, {-0.00123456789012345, "-0.0012345678901235"},
        {0.0999999999999999, "0.0999999999999999"},
    };
    // clang-format on
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatResult(value, dot), text) << value;
}

TEST(NumberFormat, DiametersWithoutASeparatorWhenWholeAndTheLocalesSeparator) {
    EXPECT_EQ(formatPlain(200.2831, dot), "200.2831");
    EXPECT_EQ(formatPlain(232, dot), "232");
    EXPECT_EQ(formatPlain(-0.0, dot), "0");
    EXPECT_EQ(formatPlain(-12.5, dot), "-12.5");
    EXPECT_EQ(formatResult(0, comma), "0,");
    EXPECT_EQ(formatResult(72.8801, comma), "72,8801");
    EXPECT_EQ(formatPlain(199.3655, comma), "199,3655");
    EXPECT_THROW(formatResult(NAN, dot), CalculationError);
    EXPECT_THROW(formatPlain(INFINITY, dot), CalculationError);
}

TEST(NumericText, AcceptedAndRejectedForms) {
    // clang-format off
    const std::pair<const char*, double> accepted[] = {
        {"3.175", 3.175}, {" 20 ", 20}, {"\t-8\t", -8}, {"+15", 15}, {".5", 0.5}, {"5.", 5},
        {"-.5", -0.5}, {"1E3", 1000}, {"2.5e-2", 0.025}, {"1e+2", 100}, {"-0", 0}, {"1e-400", 0},
        {"007", 7},
    };
    const char* const rejected[] = {"", " ", "---", "nan", "inf", "-inf", "0x10", "&H10", "1,000",
        "1.2.3", ".", "-", "+-1", "1e", "1e+", "e5", "1 2", "3.175mm", "1e400", "-1e400", "(5)",
        "1d3", "\xD9\xA3"};
    // clang-format on
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(parseNumber(text, dot), value) << text;
    for (const char* text : rejected) {
        EXPECT_FALSE(parseNumber(text, dot).has_value()) << '"' << text << '"';
        EXPECT_FALSE(IsNumeric(text, dot)) << text;
    }
    // A comma locale never reads a point as a thousands separator.
    EXPECT_EQ(parseNumber("3,175", comma), 3.175);
    EXPECT_FALSE(parseNumber("3.175", comma).has_value());
    EXPECT_FALSE(parseNumber("3,175", dot).has_value());
    EXPECT_EQ(parseNumber("2,5e-2", comma), 0.025);
    EXPECT_EQ(parseNumber(std::string("1") + "\xD9\xAB" + "5", NumberLocale{"\xD9\xAB"}), 1.5);
}

}  // namespace
}  // namespace tamrel
