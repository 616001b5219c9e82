// The compute-run fuzzer's invariants on every test run: inputs at the edges of number reading and
// arithmetic, replayed as the fuzzer reads them (control line, then one line per typed field; see
// fuzz/compute_run_case.h; a crash file from `make fuzz` is added with its bytes as found), and
// random field texts.

#include "fuzz/compute_run_case.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tamrel {
namespace {

using fuzzing::checkedRun;
using fuzzing::decodeFuzzCase;
using namespace std::string_literals;

// Control line: reference (0 Xn, 1 W, 2 M, 3 Sn, 4 none), Check1, separator (0 ".", 1 ",", 2
// U+066B). Field lines: MN, PN, ZG, BOG, ZMG, DPG, TextS, TextS1, TextS2, DKG, DRG.
TEST(FuzzRegression, ReplaysKeepEveryInvariant) {
    const std::pair<const char*, std::string> replays[] = {
        {"DenormalModule", "010\n4.9e-324\n20\n59\n15\n8\n5\n0\n0\n0\n"},
        {"HugeModule", "010\n1e308\n20\n500\n15\n8\n5\n0\n0\n0\n"},
        {"TinyDiametralPitch", "010\n-1e-300\n20\n59\n15\n8\n5\n0\n0\n0\n"},
        {"HelixOfQuarterTurn", "010\n3\n20\n59\n90\n8\n5\n0.5\n0\n0\n"},
        {"HelixBeyondQuarterTurn", "210\n3\n20\n59\n135\n8\n5\n200\n0\n0\n"},
        {"PressureAngleOfHalfTurn", "310\n3\n180\n59\n15\n8\n5\n4\n0\n0\n"},
        {"ToleranceOverflowsTheBand", "010\n3\n20\n59\n15\n8\n5\n1e308\n1e308\n0\n"},
        {"HugeBandOfBothSigns", "310\n3\n20\n59\n15\n8\n5\n0\n1.7e308\n-1.7e308\n"},
        {"ResultsBeyondSixteenDecimals", "310\n1e-20\n20\n7\n0\n1\n1e-20\n1e-20\n1e-25\n0\n"},
        {"ResultsOfThreeHundredDigits", "010\n1e290\n20\n32767\n0\n32767\n1e290\n1e10\n0\n0\n"},
        {"NoReferenceSelected", "41\n3\n20\n59\n15\n8\n5\n"},
        {"CommaLocaleWithPointTyped", "011\n3.175\n20\n59\n15\n8\n5.5\n0\n0\n0\n"},
        {"ArabicSeparatorAndBlanks", "112\n 3\xD9\xAB"
                                     "175\t\n20\n59\n15\n8\n5\xD9\xAB"
                                     "5\n72\xD9\xAB"
                                     "88\n0\n-0\xD9\xAB"
                                     "1\n"},
        {"BytesThatAreNoText", "\xff\x00\x80\n\x00\xff\n\n-\n+\n.\n,e\n"s},
    };

    for (const auto& [name, input] : replays)
        EXPECT_EQ(checkedRun(decodeFuzzCase(input)), "") << name;
}

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
            for (int count = pick(4); count > 0; --count)
                input += pieces[pick(static_cast<int>(pieces.size()))];
            input += "\n";
        }
        ASSERT_EQ(checkedRun(decodeFuzzCase(input)), "") << input;
    }
}

}  // namespace
}  // namespace tamrel
