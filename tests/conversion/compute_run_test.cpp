// One compute run on an in-memory window that starts like a new one: the messages of the input
// checks, every text of a default run in each mode, the order of the writes, the band columns,
// measures left out, what the end of a run leaves for the drawing, and the fuzzer's invariants.
#include "conversion/compute_run.h"
#include "conversion/memory_field_store.h"
#include "conversion/number_format.h"
#include "fuzz/compute_run_case.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace tamrel {
namespace {

// An in-memory window that also records the order in which a run writes its fields.
class RecordingStore : public MemoryFieldStore {
public:
    void setText(Field field, const std::string& text) override {
        writes.push_back(field);
        MemoryFieldStore::setText(field, text);
    }
    std::vector<Field> writes;
};

class ComputeRunTest : public ::testing::Test {
protected:
    void select(int quantity) { store.selectReference(quantity); }
    void set(const std::vector<std::pair<Field, std::string>>& typed) {
        for (const auto& [field, text] : typed)
            store.setText(field, text);
    }
    std::string text(Field field) const { return store.text(field); }
    // The texts of the fields, joined by "|".
    std::string texts(std::initializer_list<Field> fields) const {
        std::string joined;
        for (Field f : fields)
            joined += store.text(f) + "|";
        return joined.substr(0, joined.size() - 1);
    }
    void compute() {
        store.writes.clear();
        runConversion(store, state, locale);
    }
    // A run of the Xn mode that must succeed.
    void runWithShift(const char* xn) {
        select(Xn);
        set({{reference(Xn), xn}});
        compute();
        ASSERT_EQ(text(Field::Error), "");
    }
    void expectAllResults(const char* expected) const {
        for (Quantity q : Quantities) {
            for (Field f : {middle(q), maximum(q), minimum(q)})
                EXPECT_EQ(store.text(f), expected) << fieldName(f);
        }
    }

    RecordingStore store;
    ProgramState state;
    NumberLocale locale;
};

// clang-format off
const std::tuple<Quantity, std::vector<std::pair<Field, std::string>>, const char*> checkCases[] = {
    {W, {{Field::MN, "0"}}, "ERROR:MN was wrong!"},
    {W, {{Field::MN, ""}}, "ERROR:MN was wrong!"},
    {W, {{Field::PN, "0"}}, "ERROR:PN was wrong!"},
    {W, {{Field::PN, "-20"}}, "ERROR:PN was wrong!"},
    {W, {{Field::ZG, "59.5"}}, "ERROR:ZG was wrong!"},
    {W, {{Field::ZG, "0"}}, "ERROR:ZG was wrong!"},
    {W, {{Field::ZG, "40000"}}, "ERROR:ZG was wrong!"},
    {W, {{Field::ZG, "-32769"}}, "ERROR:ZG was wrong!"},  // beyond 16 bits
    {W, {{Field::BOG, ""}}, "ERROR:BOG was wrong!"},
    // only the first bad field
    {W, {{Field::PN, "x"}, {Field::ZG, "x"}, {Field::BOG, "x"}}, "ERROR:PN was wrong!"},
    {Xn, {{reference(Xn), "abc"}}, "ERROR:Xn was wrong!"},
    {Xn, {{upperTolerance(Xn), ""}}, "ERROR:S1 was wrong!"},
    {Xn, {{lowerTolerance(Xn), "---"}}, "ERROR:S2 was wrong!"},
    {W, {{Field::ZMG, "8.5"}}, "ERROR:ZMG is not Integer!"},
    {W, {{Field::ZMG, "0"}}, "ERROR:ZMG was wrong!"},
    {W, {{Field::ZMG, "-8"}}, "ERROR:ZMG was wrong!"},
    {W, {{Field::ZMG, "40000"}}, "ERROR:ZMG was wrong!"},
    {W, {{reference(W), "1,5"}}, "ERROR:SMG was wrong!"},
    {W, {{upperTolerance(W), "+"}}, "ERROR:S1 was wrong!"},
    {W, {{lowerTolerance(W), "0x1"}}, "ERROR:S2 was wrong!"},
    {W, {{reference(W), "1"}, {upperTolerance(W), "0"}, {lowerTolerance(W), "-3"}},
        "ERROR:SMG,S1,S2 was wrong!"},
    // the count before the value
    {W, {{Field::ZMG, ""}, {reference(W), ""}}, "ERROR:ZMG was wrong!"},
    {M, {{Field::DPG, "0"}}, "ERROR:DPG was wrong!"},
    {M, {{reference(M), "nan"}}, "ERROR:DMG was wrong!"},
    {M, {{upperTolerance(M), "inf"}}, "ERROR:S1 was wrong!"},
    {M, {{lowerTolerance(M), "1e400"}}, "ERROR:S2 was wrong!"},
    {M, {{reference(M), "-200"}}, "ERROR:DMG,S1,S2 was wrong!"},
    {Sn, {{reference(Sn), ""}}, "ERROR:SNG was wrong!"},
    {Sn, {{upperTolerance(Sn), "1.2.3"}}, "ERROR:S1 was wrong!"},
    {Sn, {{lowerTolerance(Sn), "e"}}, "ERROR:S2 was wrong!"},
    {Xn, {{Field::ZMG, "40000"}}, "ERROR:ZMG was wrong!"},  // an optional count must fit too
    {Sn, {{Field::BOG, "?"}, {reference(Sn), "?"}}, "ERROR:BOG was wrong!"},  // gear data first
    {W, {{Field::ZG, "-32768"}}, CalculationFailedMessage},  // |Z| does not fit 16 bits
};
// clang-format on

// A failed check (or arithmetic that fails before any result) shows its message, leaves every
// result and every other row at "---", keeps the typed row and the diameters, resets the rotation
// and leaves nothing for the drawing.
TEST_F(ComputeRunTest, InputChecksStopWithTheirMessageAndNoResults) {
    for (const auto& [quantity, fields, message] : checkCases) {
        SCOPED_TRACE(::testing::Message() << fieldName(fields.front().first) << ' ' << message);
        store = RecordingStore();
        state.drawingGeometry.db = 42;
        state.rotationAngle = 1.5f;
        select(quantity);
        set(fields);
        const std::string typedReference = text(reference(quantity));
        set({{Field::DKG, "1"}});

        compute();

        EXPECT_EQ(text(Field::Error), message);
        expectAllResults(Placeholder);
        for (Quantity q : Quantities) {
            if (q != quantity) {
                EXPECT_EQ(texts({reference(q), upperTolerance(q), lowerTolerance(q)}),
                          "---|---|---");
            }
        }
        EXPECT_EQ(texts({reference(quantity), Field::DKG}), typedReference + "|1");
        EXPECT_TRUE(state.drawingGeometry.db == 42 && state.rotationAngle == 0 &&
                    !store.coordinates().set);
    }
}

// The default gear in each mode, fed with the values of the Xn run: every text is pinned, and a
// band without tolerances has zero deviations and equal columns. Each entry is written the moment
// it is computed, in the order of its mode, after the reset (the message line, twelve results and
// nine rows) and before the two diameters.
TEST_F(ComputeRunTest, DefaultGearInEachModePinsEveryTextInItsOrder) {
    // clang-format off
    using Texts = std::map<Field, std::string>;
    const std::tuple<Quantity, const char*, Texts, const char*> modeCases[] = {
        {Xn, "-0.1445", {{middle(Xn), "-0.1445"}, {reference(W), "72.8800566449046"},
            {middle(W), "72.8800566449046"}, {reference(M), "200.788795636128"},
            {reference(Sn), "4.65330834986698"}, {Field::DKG, "199.3655"},
            {Field::DRG, "185.078"}},
         "MidXn MaxXn MinXn RefSn RefW RefM MaxSn MaxW MaxM UpSn UpW UpM MinSn MinW MinM LowSn "
         "LowW LowM MidSn MidW MidM"},
        {W, "72.8801", {{middle(W), "72.8801"}, {reference(Xn), "-0.144480037508883"},
            {middle(Xn), "-0.144480037508883"}, {reference(M), "200.788916325961"},
            {reference(Sn), "4.65335448739579"}, {Field::DKG, "199.3656"},
            {Field::DRG, "185.0781"}},
         "MidW MaxW MinW RefXn RefSn RefM MaxXn MaxSn MaxM UpSn UpM UpXn MinXn MinSn MinM "
         "LowSn LowM LowXn MidXn MidSn MidM"},
        {M, "200.789", {{middle(M), "200.789"}, {reference(Xn), "-0.144466197504977"},
            {reference(W), "72.8801300581068"}},
         "RefXn RefSn RefW MaxXn MaxSn MaxW UpSn UpW UpXn MinXn MinSn MinW LowSn LowW LowXn "
         "MidM MaxM MinM MidXn MidSn MidW"},
        {Sn, "4.6533", {{middle(Sn), "4.6533"}, {reference(Xn), "-0.144503612767085"},
            {reference(W), "72.8800487985962"}, {reference(M), "200.788773793901"},
            {Field::DKG, "199.3655"}, {Field::DRG, "185.078"}},
         "MidSn MaxSn MinSn RefXn RefW RefM MaxXn MaxW MaxM UpW UpM UpXn MinXn MinW MinM LowW "
         "LowM LowXn MidXn MidW MidM"},
    };
    // clang-format on
    const char* const columns[] = {"Ref", "Up", "Low", "Mid", "Max", "Min"};
    const char* const quantities[] = {"Xn", "W", "M", "Sn"};
    for (const auto& [quantity, typed, expected, order] : modeCases) {
        select(quantity);
        set({{reference(quantity), typed}});
        compute();
        EXPECT_EQ(text(Field::Error), "");
        for (const auto& [field, shown] : expected)
            EXPECT_EQ(text(field), shown) << fieldName(field);
        for (Quantity q : Quantities) {
            if (q != quantity) {
                EXPECT_EQ(text(upperTolerance(q)) + text(lowerTolerance(q)), "0.0.") << q;
            }
            EXPECT_EQ(text(middle(q)), text(maximum(q))) << q;
            EXPECT_EQ(text(middle(q)), text(minimum(q))) << q;
        }
        std::string written;
        for (auto f = store.writes.begin() + 22; f < store.writes.end() - 2; ++f) {
            const int grid = indexOf(*f) - indexOf(Field::RefXn);
            written += std::string(columns[grid % 6]) + quantities[grid / 6] + " ";
        }
        EXPECT_EQ(written, order + std::string(" "));
        EXPECT_EQ(std::vector<Field>(store.writes.end() - 2, store.writes.end()),
                  (std::vector<Field>{Field::DKG, Field::DRG}));
    }
}

TEST_F(ComputeRunTest, PinModeStopsWhereOnlyTheMaxIsOutOfReach) {
    // M 200.7889 is reachable, M + S1 = 140.7889 lies inside the base circle: the nominal pass
    // stands in the reference rows; everything after stays "---".
    select(M);
    set({{reference(M), "200.7889"}, {upperTolerance(M), "-60"}});
    compute();
    EXPECT_EQ(texts({Field::Error, reference(Xn), reference(Sn), reference(W), Field::DKG}),
              "Check your DM or DP please!|-0.144482737880543|4.65334824626714|72.8800941352575|"
              "200.2831");
    expectAllResults(Placeholder);
    EXPECT_EQ(text(upperTolerance(Xn)), Placeholder);
    // Unreachable from the start: nothing is published.
    set({{reference(M), "150"}, {upperTolerance(M), "0"}});
    compute();
    EXPECT_EQ(texts({Field::Error, reference(Xn)}), "Check your DM or DP please!|---");
}

// Without a span count or pin diameter, or with pins out of reach, a measure stays "---" and the
// run goes on without a message.
TEST_F(ComputeRunTest, MeasuresOutOfReachAreLeftOutWithoutAMessage) {
    set({{Field::ZMG, ""}, {Field::DPG, "0"}});
    runWithShift("-0.1445");
    EXPECT_EQ(texts({reference(W), upperTolerance(W), middle(W), minimum(W), reference(M),
                     upperTolerance(M), middle(M), minimum(M)}),
              "---|---|---|---|---|---|---|---");
    EXPECT_NE(text(middle(Sn)), Placeholder);
    // A span count that is not a whole number is absent outside its own mode.
    set({{Field::ZMG, "8.5"}, {Field::DPG, "5.5"}});
    runWithShift("-0.1445");
    EXPECT_EQ(text(middle(W)), Placeholder);
    EXPECT_NE(text(middle(M)), Placeholder);
    // Xn -2 puts the pin centre inside the base circle; max and min stay reachable.
    set({{Field::ZMG, "8"}, {upperTolerance(Xn), "2"}, {lowerTolerance(Xn), "1.9"}});
    runWithShift("-2");
    EXPECT_EQ(texts({reference(M), upperTolerance(M), lowerTolerance(M)}), "---|---|---");
    EXPECT_NE(text(maximum(M)), Placeholder);
    EXPECT_NE(text(upperTolerance(W)), Placeholder);
}

TEST_F(ComputeRunTest, DiametralPitchAndAnInternalGearWithTolerancesInEitherOrder) {
    // A diametral pitch of 8 is a module of 25.4 / 8 = 3.175: the same results.
    set({{Field::MN, "-8"}});
    compute();
    EXPECT_EQ(texts({Field::Error, middle(Xn)}), "|-0.144480037508883");
    // S1 below S2 on an internal gear of the other hand: the band columns follow the tolerances
    // without swapping, and a positive shift makes the tooth thinner.
    set({{Field::ZG, "-59"},
         {Field::BOG, "-15"},
         {upperTolerance(Xn), "-0.1"},
         {lowerTolerance(Xn), "0.1"}});
    runWithShift("0");
    EXPECT_EQ(texts({maximum(Xn), minimum(Xn), middle(Xn)}), "-0.1|0.1|0.");
    EXPECT_EQ(state.drawingGeometry.zAbs, 59);
    EXPECT_GT(std::stod(text(maximum(Sn))), std::stod(text(minimum(Sn))));
    // Deviations are formed from the displayed texts.
    const double upper = std::stod(text(maximum(W))) - std::stod(text(reference(W)));
    EXPECT_EQ(text(upperTolerance(W)), formatResult(upper, locale));
}

// The end of a successful run: tip and root diameters cut to four decimals (an internal gear has
// its tip inside and its root outside the reference circle) or left as typed, and the geometry and
// view of the drawing. Arithmetic that fails (a module so large that the picture's
// single-precision coordinates overflow) ends the run with its own message and changes none of
// that.
TEST_F(ComputeRunTest, RunEndSetsTheDiametersAndTheDrawing) {
    runWithShift("0");
    EXPECT_EQ(texts({Field::DKG, Field::DRG}), "200.2831|185.9956");
    runWithShift("-0.1445");
    EXPECT_EQ(texts({Field::DKG, Field::DRG}), "199.3655|185.078");
    const DrawingGeometry& g = state.drawingGeometry;
    EXPECT_EQ(std::tuple(std::round(g.db * 1e6), std::round(g.alphaT * 1e10), g.zAbs, g.xMid,
                         std::round(g.beta * 1e13)),
              std::tuple(181477027.0, 3603563240.0, 59, -0.1445, 2617993877991.0));
    // floor(1.2 d) = 232 mm high, the picture's aspect ratio, centred, y upward.
    const auto& c = store.coordinates();
    const float width = static_cast<float>(513.0 * 232.0 / 257.0);
    EXPECT_EQ(std::vector<float>({c.x1, c.y1, c.x2, c.y2}),
              std::vector<float>({-width / 2, 116, width / 2, -116}));
    set({{Field::MN, "1e300"}});
    compute();
    EXPECT_EQ(std::tuple(text(Field::Error), std::round(g.db * 1e6), g.xMid, c.y1,
                         state.rotationAngle, text(Field::DKG)),
              std::tuple(CalculationFailedMessage, 181477027.0, -0.1445, 116.0f, 0.0f, "199.3655"));
    set({{Field::MN, "3.175"}});

    set({{Field::ZG, "-59"}});
    runWithShift("0");
    EXPECT_EQ(texts({Field::DKG, Field::DRG}), "187.5831|201.8706");

    store.setAutoDiameter(false);
    set({{Field::DKG, "abc"}, {Field::DRG, ""}});
    runWithShift("0.3");
    EXPECT_EQ(texts({Field::DKG, Field::DRG}), "abc|");
    EXPECT_EQ(state.drawingGeometry.xMid, 0.3);
}

// The fuzzer's invariants on every test run: inputs at the edges of number reading and arithmetic,
// replayed as the fuzzer reads them (a crash file from `make fuzz` is added with its bytes as
// found), and random field texts.
using fuzzing::checkedRun;
using fuzzing::decodeFuzzCase;
using namespace std::string_literals;

// Control line: reference (0 Xn, 1 W, 2 M, 3 Sn, 4 none), Check1, separator (0 ".", 1 ",", 2
// U+066B). Field lines: MN, PN, ZG, BOG, ZMG, DPG, TextS, TextS1, TextS2, DKG, DRG.
TEST(FuzzRegression, ReplaysKeepEveryInvariant) {
    const std::string arabic = "\xD9\xAB";  // the Arabic decimal separator
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
        {"ArabicSeparatorAndBlanks", "112\n 3" + arabic + "175\t\n20\n59\n15\n8\n5" + arabic +
                                         "5\n72" + arabic + "88\n0\n-0" + arabic + "1\n"},
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
