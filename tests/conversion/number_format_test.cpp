#include "conversion/number_format.h"
#include "conversion/numeric_text.h"
#include "geometry/calculation_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tamrel {
namespace {

const NumberLocale dot{"."};

TEST(NumberFormat, ResultPattern) {
    const std::pair<double, const char*> cases[] = {
        {72.88005664490464, "72.8800566449046"},
        {0, "0."},
        {-0.0, "0."},
        {-1e-20, "0."},
        {0.5, "0.5"},
        {-0.1445, "-0.1445"},
        {200, "200."},
        {1e-16, "0.0000000000000001"},
        {4e-17, "0."},
        {6e-17, "0.0000000000000001"},
        {0.00123456789012345678, "0.0012345678901235"},
        {0.123456789012345678, "0.123456789012346"},
        {123456789012345678.0, "123456789012346000."},
        {1e20, "100000000000000000000."},
        {-4.6533, "-4.6533"},
        {9.9999999999999999, "10."},
        // Fifteen significant digits first, then half away from zero at the sixteenth decimal.
        {0.006240514317025047663, "0.0062405143170251"},
        {-0.006240514317025047663, "-0.0062405143170251"},
        {0.00999999999999995, "0.01"},
        {-0.00999999999999995, "-0.01"},
        {5e-17, "0.0000000000000001"},
        {-5e-17, "-0.0000000000000001"},
        {1e-17, "0."},
        {0.00123456789012345, "0.0012345678901235"},
        {-0.00123456789012345, "-0.0012345678901235"},
        {0.0999999999999999, "0.0999999999999999"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatResult(value, dot), text) << value;
    }
}

TEST(NumberFormat, PlainFormOfTheDiameters) {
    EXPECT_EQ(formatPlain(200.2831, dot), "200.2831");
    EXPECT_EQ(formatPlain(185.078, dot), "185.078");
    EXPECT_EQ(formatPlain(232, dot), "232");
    EXPECT_EQ(formatPlain(-0.0, dot), "0");
    EXPECT_EQ(formatPlain(-12.5, dot), "-12.5");
}

TEST(NumberFormat, LocaleSeparatorAndFailures) {
    const NumberLocale comma{","};
    EXPECT_EQ(formatResult(0, comma), "0,");
    EXPECT_EQ(formatResult(72.8801, comma), "72,8801");
    EXPECT_EQ(formatPlain(199.3655, comma), "199,3655");
    EXPECT_THROW(formatResult(NAN, dot), CalculationError);
    EXPECT_THROW(formatPlain(INFINITY, dot), CalculationError);
}

// Every text written as a number must read back as a number, within its fifteen digits.
TEST(NumberFormat, EveryFormattedNumberIsNumeric) {
    std::mt19937_64 engine(7);
    std::uniform_real_distribution<> mantissa(-10, 10);
    std::uniform_int_distribution<> exponent(-25, 25);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(engine) * std::pow(10.0, exponent(engine));
        const std::string text = formatResult(value, dot);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        const auto back = parseNumber(text, dot);
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_NEAR(*back, value, std::fabs(value) * 1e-14 + 5e-17) << text;
    }
}

}  // namespace
}  // namespace tamrel
