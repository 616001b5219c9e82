#include "run_fixture.h"

#include <map>
#include <random>
#include <set>

namespace tamrel {
namespace {

// Texts an inspector might paste: garbage, huge, tiny, signs, separators, exponents.
class TextSource {
public:
    std::string next() {
        static const std::vector<std::string> pieces{
            "",        " ",       "0",      "1",   "-",   "+",   ".",      ",",           "e",
            "E",       "5",       "59",     "20",  "15",  "8",   "5.5",    "3.175",       "1e300",
            "1e-300",  "1e400",   "---",    "nan", "x",   "9",   "-32768", "32767",       "40000",
            "72.8801", "200.789", "4.6533", "0.",  "e-5", "1E3", "\t",     "\xE4\xB8\xAD"};
        std::string text;
        const int count = std::uniform_int_distribution<>(0, 3)(engine_);
        for (int i = 0; i < count; ++i) {
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(engine_)];
        }
        return text;
    }
    int pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(engine_); }

private:
    std::mt19937 engine_{1206};
};

const std::set<std::string> knownMessages{
    "",
    "ERROR:MN was wrong!",
    "ERROR:PN was wrong!",
    "ERROR:ZG was wrong!",
    "ERROR:BOG was wrong!",
    "ERROR:Xn was wrong!",
    "ERROR:S1 was wrong!",
    "ERROR:S2 was wrong!",
    "ERROR:ZMG was wrong!",
    "ERROR:ZMG is not Integer!",
    "ERROR:SMG was wrong!",
    "ERROR:SMG,S1,S2 was wrong!",
    "ERROR:DPG was wrong!",
    "ERROR:DMG was wrong!",
    "ERROR:DMG,S1,S2 was wrong!",
    "ERROR:SNG was wrong!",
    "Check your DM or DP please!",
    "ERROR:Calculation failed!",
};

// Whatever is typed, every field ends as "---", the user's own text or a number in the
// program's format, and the message line holds at most one known message.
TEST(RandomFields, NoRunShowsAnythingButNumbersAndKnownMessages) {
    TextSource source;
    const std::vector<const char*> inputs{field::MN,  field::PN,  field::ZG,
                                          field::BOG, field::ZMG, field::DPG};
    for (int run = 0; run < 5000; ++run) {
        testing::RecordingStore store;
        ProgramState state;
        const int quantity = source.pick(QuantityCount);
        store.selectReference(quantity);
        store.setAutoDiameter(source.pick(2) == 1);
        std::map<std::string, std::string> typed;
        for (const char* input : inputs) {
            if (source.pick(3) == 0) {
                typed[input] = source.next();
            }
        }
        typed[field::reference(quantity)] = source.next();
        typed[field::upperTolerance(quantity)] = source.pick(2) ? "0" : source.next();
        typed[field::lowerTolerance(quantity)] = source.pick(2) ? "0" : source.next();
        for (const auto& [name, text] : typed) {
            store.setText(name, text);
        }

        runConversion(store, state, NumberLocale{});

        ASSERT_EQ(knownMessages.count(store.text(field::Error)), 1u) << store.text(field::Error);
        for (const auto& name : testing::gridFields()) {
            const std::string text = store.text(name);
            const auto found = typed.find(name);
            const bool own = found != typed.end() && found->second == text;
            ASSERT_TRUE(own || text == Placeholder || testing::isProgramNumber(text))
                << name << "=" << text;
        }
        for (const char* diameter : {field::DKG, field::DRG}) {
            const std::string text = store.text(diameter);
            ASSERT_EQ(text.find_first_of("eEnN"), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace tamrel
