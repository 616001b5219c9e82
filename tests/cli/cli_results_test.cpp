// The command line shows the very texts an in-memory window holds after the same compute run.
#include "conversion/compute_run.h"
#include "conversion/field_names.h"
#include "conversion/memory_field_store.h"
#include "run_program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <iterator>
#include <optional>
#include <sstream>

namespace tamrel {
namespace {

using testing::runProgram;

const std::string Cli = TAMREL_CLI_PATH;

// One value as the user gives it: the option that passes it and the window field it is typed
// into. No text: the option is left out and the field cleared.
struct Typed {
    std::string option;
    std::string field;
    std::optional<std::string> text;
};

struct Case {
    std::string name;
    Quantity reference;
    std::vector<Typed> typed;
    bool autoDiameter = true;
};

std::vector<Typed> gearAnd(Quantity reference, const std::string& value, const std::string& upper,
                           const std::string& lower, const std::string& mn = "3.175",
                           std::optional<std::string> zmg = "8",
                           std::optional<std::string> dpg = "5.5") {
    return {{"--mn", field::MN, mn},
            {"--pn", field::PN, "20"},
            {"--zg", field::ZG, "59"},
            {"--bog", field::BOG, "15"},
            {"--zmg", field::ZMG, zmg},
            {"--dpg", field::DPG, dpg},
            {"--value", field::reference(reference), value},
            {"--upper", field::upperTolerance(reference), upper},
            {"--lower", field::lowerTolerance(reference), lower}};
}

std::vector<std::string> argumentsFor(const Case& c) {
    const char* names[] = {"Xn", "W", "M", "Sn"};
    std::vector<std::string> args{"--ref", names[c.reference]};
    for (const Typed& typed : c.typed) {
        if (typed.text) {
            args.insert(args.end(), {typed.option, *typed.text});
        }
    }
    return args;
}

MemoryFieldStore windowAfterRun(const Case& c, const NumberLocale& locale = {}) {
    MemoryFieldStore window;
    window.selectReference(c.reference);
    window.setAutoDiameter(c.autoDiameter);
    for (const Typed& typed : c.typed) {
        window.setText(typed.field, typed.text.value_or(""));
    }
    ProgramState state;
    runConversion(window, state, locale);
    return window;
}

// Every field but the typed gear data, as the JSON of the command line must hold it.
void expectJsonShowsWindow(const std::string& output, const MemoryFieldStore& window) {
    const nlohmann::json json = nlohmann::json::parse(output);
    std::size_t shown = 0;
    for (const auto& [name, text] : window.fields()) {
        if (name == field::MN || name == field::PN || name == field::ZG || name == field::BOG ||
            name == field::ZMG || name == field::DPG) {
            continue;
        }
        ++shown;
        ASSERT_TRUE(json.contains(name)) << name;
        EXPECT_EQ(json[name].get<std::string>(), text) << name;
    }
    EXPECT_EQ(json.size(), shown);
}

const Case Cases[] = {
    {"Xn", Xn, gearAnd(Xn, "-0.1445", "0.05", "-0.03")},
    {"W", W, gearAnd(W, "72.8801", "0.04", "-0.06")},
    {"M", M, gearAnd(M, "200.7889", "0.1", "-0.2")},
    {"Sn", Sn, gearAnd(Sn, "4.6533", "0", "-0.08")},
    {"M out of reach", M, gearAnd(M, "150", "0", "0")},
    {"bad module", W, gearAnd(W, "72.8801", "0", "0", "0")},
    {"no ZMG and DPG, typed diameters", Xn,
     [] {
         auto typed = gearAnd(Xn, "-0.1445", "0", "0", "3.175", std::nullopt, std::nullopt);
         typed.push_back({"--dkg", field::DKG, "210"});
         typed.push_back({"--drg", field::DRG, "190.5"});
         return typed;
     }(),
     false},
};

TEST(CliResults, JsonEqualsTheWindowAfterTheSameRun) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        auto args = argumentsFor(c);
        args.push_back("--json");
        const auto result = runProgram(Cli, args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        expectJsonShowsWindow(result.out, windowAfterRun(c));
    }
}

TEST(CliResults, LocaleDecimalSeparatorReadsAndWritesNumbers) {
    // Builds a German locale of its own, so the test needs no locale installed on the system.
    const testing::TemporaryDirectory locales;
    const auto built = runProgram("/usr/bin/localedef",
                                  {"-i", "de_DE", "-f", "UTF-8", locales.path() + "/de_DE.UTF-8"});
    if (built.exitCode != 0) {
        GTEST_SKIP() << "localedef cannot build de_DE.UTF-8: " << built.err;
    }
    const Case c{"comma", Xn, gearAnd(Xn, "-0,1445", "0,05", "-0,03", "3,175", "8", "5,5")};
    const MemoryFieldStore window = windowAfterRun(c, NumberLocale{","});
    ASSERT_EQ(window.text(field::Error), "");
    auto args = argumentsFor(c);
    args.insert(args.end(), {"--json", "--locale", "de_DE.UTF-8"});
    // glibc's newlocale keeps the LOCPATH list it builds; that is no leak of this program.
    const std::string suppressions = locales.write("lsan.supp", "leak:__argz_add_sep\n");
    const auto result = runProgram(
        Cli, args, {}, {"LOCPATH=" + locales.path(), "LSAN_OPTIONS=suppressions=" + suppressions});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    expectJsonShowsWindow(result.out, window);
}

using Row = std::vector<std::string>;

Row nextRowCells(std::istream& lines) {
    std::string line;
    std::getline(lines, line);
    std::istringstream cells(line);
    return Row{std::istream_iterator<std::string>(cells), {}};
}

TEST(CliResults, GridShowsEveryFieldTextInItsRowAndColumn) {
    const Case& c = Cases[W];
    const auto result = runProgram(Cli, argumentsFor(c));
    ASSERT_EQ(result.exitCode, 0);
    const MemoryFieldStore window = windowAfterRun(c);

    std::istringstream lines(result.out);
    EXPECT_EQ(nextRowCells(lines), (Row{"Thickness", "Reference", "+", "-", "MID", "MAX", "MIN"}));
    const char* rowNames[] = {"Xn", "W", "M", "Sn"};
    for (int i = 0; i < QuantityCount; ++i) {
        EXPECT_EQ(nextRowCells(lines),
                  (Row{rowNames[i], window.text(field::reference(i)),
                       window.text(field::upperTolerance(i)), window.text(field::lowerTolerance(i)),
                       window.text(field::middle(i)), window.text(field::maximum(i)),
                       window.text(field::minimum(i))}));
    }
    EXPECT_EQ(nextRowCells(lines), (Row{"DKG", window.text(field::DKG)}));
    EXPECT_EQ(nextRowCells(lines), (Row{"DRG", window.text(field::DRG)}));
    EXPECT_EQ(nextRowCells(lines), Row{"Message"});

    const auto failed = runProgram(Cli, argumentsFor(Cases[5]));
    EXPECT_NE(failed.out.find("\nMessage    ERROR:MN was wrong!\n"), std::string::npos);
}

}  // namespace
}  // namespace tamrel
