#include "conversion/numeric_text.h"

#include <gtest/gtest.h>

namespace tamrel {
namespace {

const NumberLocale dot{"."};
const NumberLocale comma{","};

TEST(NumericText, AcceptedForms) {
    const std::pair<const char*, double> cases[] = {
        {"3.175", 3.175}, {" 20 ", 20},  {"\t-8\t", -8}, {"+15", 15},       {".5", 0.5},
        {"5.", 5},        {"-.5", -0.5}, {"1E3", 1000},  {"2.5e-2", 0.025}, {"1e+2", 100},
        {"0", 0},         {"-0", 0},     {"1e-400", 0},  {"007", 7},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = parseNumber(text, dot);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
}

TEST(NumericText, RejectedForms) {
    for (const char* text :
         {"",     " ",       "---",   "nan",    "NaN",  "inf", "-inf", "infinity", "0x10",
          "&H10", "1,000",   "1.2.3", ".",      "-",    "+-1", "1e",   "1e+",      "e5",
          "1 2",  "3.175mm", "1e400", "-1e400", "12,5", "(5)", "$5",   "1d3",      "٣"}) {
        EXPECT_FALSE(parseNumber(text, dot).has_value()) << '"' << text << '"';
        EXPECT_FALSE(IsNumeric(text, dot)) << text;
    }
}

TEST(NumericText, CommaLocaleNeverReadsADotAsAThousandsSeparator) {
    EXPECT_EQ(parseNumber("3,175", comma), 3.175);
    EXPECT_FALSE(parseNumber("3.175", comma).has_value());
    EXPECT_FALSE(parseNumber("3,175", dot).has_value());
    EXPECT_EQ(parseNumber("2,5e-2", comma), 0.025);
    const NumberLocale arabic{"\xD9\xAB"};
    EXPECT_EQ(parseNumber("1\xD9\xAB"
                          "5",
                          arabic),
              1.5);
}

TEST(NumericText, PredicatesAgreeWithTheConversion) {
    EXPECT_TRUE(IsPositiveInteger("12", dot));
    EXPECT_TRUE(IsPositiveInteger("12.0", dot));
    EXPECT_TRUE(IsPositiveInteger("1.2E1", dot));
    EXPECT_FALSE(IsPositiveInteger("12.5", dot));
    EXPECT_TRUE(IsNegativeInteger("-3", dot));
    EXPECT_TRUE(IsNegativeNumber("-3", dot));
    EXPECT_FALSE(IsPositiveNumber("-3", dot));
    for (const char* zero : {"0", "-0", "0.0", "0e5"}) {
        EXPECT_FALSE(IsPositiveNumber(zero, dot));
        EXPECT_FALSE(IsNegativeNumber(zero, dot));
        EXPECT_FALSE(IsPositiveInteger(zero, dot));
        EXPECT_FALSE(IsNegativeInteger(zero, dot));
    }
    EXPECT_FALSE(IsPositiveNumber("abc", dot));
    EXPECT_FALSE(IsNegativeInteger("---", dot));
}

}  // namespace
}  // namespace tamrel
