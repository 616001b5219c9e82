#include "fuzz/fuzz_case.h"
#include "fuzz/run_invariants.h"

#include <gtest/gtest.h>

#include <random>

namespace tamrel {
namespace {

// Texts an inspector might paste: garbage, huge, tiny, signs, separators, exponents.
const std::vector<std::string> pieces{
    "",        " ",       "0",      "1",   "-",   "+",   ".",      ",",           "e",
    "E",       "5",       "59",     "20",  "15",  "8",   "5.5",    "3.175",       "1e300",
    "1e-300",  "1e400",   "---",    "nan", "x",   "9",   "-32768", "32767",       "40000",
    "72.8801", "200.789", "4.6533", "0.",  "e-5", "1E3", "\t",     "\xE4\xB8\xAD"};

// Whatever is typed, in any mode and either locale, every field ends as "---", the user's own
// text or a number in the program's format, and the message line holds one known message.
TEST(RandomFields, NoRunShowsAnythingButNumbersAndKnownMessages) {
    std::mt19937 engine(1206);
    const auto pick = [&engine](int n) {
        return std::uniform_int_distribution<>(0, n - 1)(engine);
    };
    for (int run = 0; run < 5000; ++run) {
        // Control line: reference, Check1, separator; then one line per typed field, the later
        // fields keeping their start texts.
        std::string input =
            std::to_string(pick(5)) + std::to_string(pick(2)) + std::to_string(pick(2)) + "\n";
        for (int field = pick(12); field > 0; --field) {
            for (int count = pick(4); count > 0; --count) {
                input += pieces[pick(static_cast<int>(pieces.size()))];
            }
            input += "\n";
        }
        ASSERT_EQ(fuzzing::checkedRun(fuzzing::decodeFuzzCase(input)), "") << input;
    }
}

}  // namespace
}  // namespace tamrel
