// Inputs of the compute-run fuzzer, replayed on every test run. Each is a fuzz input as the fuzzer
// reads it (control line, then one line per typed field; see fuzz/fuzz_case.h) and must pass the
// same invariants the fuzzer checks. A crash file from `make fuzz` is added here with its bytes as
// found. The first cases are inputs at the edges of number reading and arithmetic that the seed
// corpus does not reach directly.

#include "fuzz/fuzz_case.h"
#include "fuzz/run_invariants.h"

#include <gtest/gtest.h>

#include <string>

namespace tamrel {
namespace {

using fuzzing::checkedRun;
using fuzzing::decodeFuzzCase;
using namespace std::string_literals;

struct Replay {
    const char* name;
    std::string input;
};

class FuzzRegression : public ::testing::TestWithParam<Replay> {};

TEST_P(FuzzRegression, KeepsEveryInvariant) {
    EXPECT_EQ(checkedRun(decodeFuzzCase(GetParam().input)), "");
}

// Control line: reference (0 Xn, 1 W, 2 M, 3 Sn, 4 none), Check1, separator (0 ".", 1 ",", 2
// U+066B). Field lines: MN, PN, ZG, BOG, ZMG, DPG, TextS, TextS1, TextS2, DKG, DRG.
const Replay replays[] = {
    {"TeethWithoutPositiveCounterpart", "010\n3\n20\n-32768\n0\n8\n5\n0\n0\n0\n"},
    {"SpanCountBeyond16Bits", "110\n3\n20\n59\n15\n40000\n5\n70\n0\n0\n"},
    {"OptionalSpanCountBeyond16Bits", "310\n3\n20\n59\n15\n32768\n5\n4\n0\n0\n"},
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
    {"PinsOutOfReachAfterNominal", "200\n3.175\n20\n59\n15\n8\n5.5\n200.7889\n-60\n0\n"},
    {"NoReferenceSelected", "41\n3\n20\n59\n15\n8\n5\n"},
    {"CommaLocaleWithPointTyped", "011\n3.175\n20\n59\n15\n8\n5.5\n0\n0\n0\n"},
    {"ArabicSeparatorAndBlanks", "112\n 3\xD9\xAB"
                                 "175\t\n20\n59\n15\n8\n5\xD9\xAB"
                                 "5\n72\xD9\xAB"
                                 "88\n0\n-0\xD9\xAB"
                                 "1\n"},
    {"BytesThatAreNoText", "\xff\x00\x80\n\x00\xff\n\n-\n+\n.\n,e\n"s},
};

INSTANTIATE_TEST_SUITE_P(Replays, FuzzRegression, ::testing::ValuesIn(replays),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamrel
