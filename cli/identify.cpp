#include "cli/identify.h"

#include "cli/decimal_separator.h"
#include "cli/options.h"
#include "cli/text_table.h"
#include "conversion/number_format.h"
#include "conversion/number_locale.h"
#include "conversion/numeric_text.h"
#include "identification/identification.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tamrel::cli {

namespace {

using namespace identification;
using Json = nlohmann::ordered_json;

constexpr const char* Description =
    R"(tamrel-cli identify - find the standard gear of an external gear in hand

Spans over consecutive numbers of teeth give the normal base pitch,
pi mn cos(PN), whatever the helix angle and profile shift. Every standard
module (ISO 54, 0.3 to 50 mm) and diametral pitch (1 to 64) with every
standard pressure angle (14.5, 15, 17.5, 20, 22.5, 25, 30 degrees) that fits
it is then fitted: the spans give Xn, and the tip diameter
mn z / cos(helix) + 2 mn (1 + Xn) the helix angle; balls, where measured,
take part in both. Listed are the candidates that fit every measurement
within its tolerance, best first.
)";

constexpr const char* Footer =
    R"(Columns: the system, the module in mm, the diametral pitch, the normal
pressure angle PN and the helix angle in degrees, Xn, the tip diameter of
the candidate, the hob dedendum over the module that the root diameter
suggests (1.25, 1.3, 1.35, 1.4 or 1.5), the residuals in mm (measured minus
the candidate's) of the base pitch, each span, the tip and the balls, and
the score: the sum of the squared residuals over their tolerances, the
distance from a rough helix angle over 2 degrees, and 10 per unit of |Xn|
beyond 1; lower is better. When nothing fits, the nearest candidates are
listed and the message says so. --json prints {"basePitch", "candidates":
[{"system", "module", "diametralPitch", "pressureAngle", "helixAngle",
"profileShift", "tipDiameter", "dedendum", "residuals": {"basePitch",
"spans", "tip", "ball"}, "score"}], "message"}, null where there is no value.

Example: a helical gear of 59 teeth measures 63.507 mm over 7 and 72.880 mm
over 8 teeth, and 199.37 mm over the tips:
  tamrel-cli identify --zg 59 --span 7:63.507 --span 8:72.880 --tip 199.37
It is diametral pitch 8 (module 3.175 mm) at 20 degrees, with a helix angle
of 15.006 degrees and Xn -0.1446.

Exit status: 0 candidates listed, 1 the output could not be written,
2 unusable arguments or measurements, or a base pitch that no standard pair
fits.
)";

// The options as typed; numbers are read once the locale is known.
struct Arguments {
    std::string teeth;
    std::vector<std::string> spans;
    std::string tip;
    std::optional<std::string> root;
    std::optional<std::string> helix;
    std::optional<std::string> ball;
    std::optional<std::string> spanTolerance;
    std::optional<std::string> tipTolerance;
    std::optional<std::string> localeName;
    bool json = false;
};

// An argument that cannot be used; its text is the problem.
struct Unusable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double number(const char* option, const std::string& text, const NumberLocale& locale) {
    if (const auto value = parseNumber(text, locale)) {
        return *value;
    }
    throw Unusable(std::string(option) + ": \"" + text + "\" is not a number");
}

int wholeNumber(const char* option, const std::string& text, const NumberLocale& locale) {
    const double value = number(option, text, locale);
    if (value != std::floor(value) || std::abs(value) > INT_MAX) {
        throw Unusable(std::string(option) + ": \"" + text + "\" is not a whole number");
    }
    return static_cast<int>(value);
}

// "K:W" or "D:M": the texts before and after the colon.
std::pair<std::string, std::string> splitPair(const char* option, const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        throw Unusable(std::string(option) + " takes two numbers joined by \":\", not \"" + text +
                       "\"");
    }
    return {text.substr(0, colon), text.substr(colon + 1)};
}

Measurements measurementsOf(const Arguments& a, const NumberLocale& locale) {
    Measurements m;
    m.teeth = wholeNumber("--zg", a.teeth, locale);
    for (const std::string& span : a.spans) {
        const auto [teeth, width] = splitPair("--span", span);
        m.spans.push_back({wholeNumber("--span", teeth, locale), number("--span", width, locale)});
    }
    m.tipDiameter = number("--tip", a.tip, locale);
    if (a.root) {
        m.rootDiameter = number("--root", *a.root, locale);
    }
    if (a.helix) {
        m.helixAngle = number("--helix", *a.helix, locale);
    }
    if (a.ball) {
        const auto [diameter, over] = splitPair("--ball", *a.ball);
        m.ball = BallMeasure{number("--ball", diameter, locale), number("--ball", over, locale)};
    }
    if (a.spanTolerance) {
        m.spanTolerance = number("--span-tolerance", *a.spanTolerance, locale);
    }
    if (a.tipTolerance) {
        m.tipTolerance = number("--tip-tolerance", *a.tipTolerance, locale);
    }
    return m;
}

// Three significant digits: a score is a rough ranking.
std::string scoreText(double score, const NumberLocale& locale) {
    char digits[32];
    return localized(std::string(digits, std::snprintf(digits, sizeof digits, "%.3g", score)),
                     locale);
}

const char* systemName(System system) {
    return system == System::Module ? "module" : "diametral pitch";
}

void writeGrid(const Measurements& m, const Identification& found, const NumberLocale& locale,
               std::ostream& out) {
    Row header{"Rank", "System", "Module", "DP", "PN", "Helix", "Xn", "Tip", "Dedendum", "dPb"};
    for (const Span& s : m.spans) {
        header.push_back("dW" + std::to_string(s.teeth));
    }
    header.push_back("dTip");
    if (m.ball) {
        header.push_back("dM");
    }
    header.push_back("Score");
    std::vector<Row> rows{header};
    const auto trimmed = [&locale](const std::optional<double>& value) {
        return value ? formatFixed(*value, 4, locale, true) : std::string(Placeholder);
    };
    for (const Candidate& c : found.candidates) {
        Row row{std::to_string(rows.size()),
                systemName(c.system),
                formatFixed(c.module, 4, locale, true),
                trimmed(c.diametralPitch),
                formatFixed(c.pressureAngle, 1, locale, true),
                formatFixed(c.helixAngle, 3, locale),
                formatFixed(c.profileShift, 4, locale),
                formatFixed(c.tipDiameter, 4, locale),
                trimmed(c.dedendum),
                formatFixed(c.residuals.basePitch, 4, locale)};
        for (double r : c.residuals.spans) {
            row.push_back(formatFixed(r, 4, locale));
        }
        row.push_back(formatFixed(c.residuals.tip, 4, locale));
        if (m.ball) {
            row.push_back(c.residuals.ball ? formatFixed(*c.residuals.ball, 4, locale)
                                           : Placeholder);
        }
        row.push_back(scoreText(c.score, locale));
        rows.push_back(std::move(row));
    }
    writeTable(rows, out);
    writeTable({{"Base pitch", formatFixed(found.basePitch, 4, locale)},
                {"Message", messageOf(found.outcome)}},
               out);
}

void writeJson(const Identification& found, std::ostream& out) {
    const auto optional = [](const std::optional<double>& value) {
        return value ? Json(*value) : Json(nullptr);
    };
    Json candidates = Json::array();
    for (const Candidate& c : found.candidates) {
        candidates.push_back({{"system", systemName(c.system)},
                              {"module", c.module},
                              {"diametralPitch", optional(c.diametralPitch)},
                              {"pressureAngle", c.pressureAngle},
                              {"helixAngle", c.helixAngle},
                              {"profileShift", c.profileShift},
                              {"tipDiameter", c.tipDiameter},
                              {"dedendum", optional(c.dedendum)},
                              {"residuals",
                               {{"basePitch", c.residuals.basePitch},
                                {"spans", c.residuals.spans},
                                {"tip", c.residuals.tip},
                                {"ball", optional(c.residuals.ball)}}},
                              {"score", c.score}});
    }
    const Json object{{"basePitch", found.basePitch},
                      {"candidates", candidates},
                      {"message", messageOf(found.outcome)}};
    out << object.dump(2) << '\n';
}

int identifyUsageError(std::ostream& err, const std::string& problem) {
    err << "tamrel-cli identify: " << problem
        << "\nRun tamrel-cli identify --help for the options.\n";
    return ExitUsage;
}

// The problem of a base pitch no standard pair fits, with the nearest pair.
std::string noStandardPair(const Identification& found, const NumberLocale& locale) {
    std::string problem = std::string(messageOf(found.outcome)) + " (" +
                          formatFixed(found.basePitch, 4, locale) + " mm";
    if (!found.candidates.empty()) {
        const Candidate& c = found.candidates.front();
        problem += "; the nearest is " + std::string(systemName(c.system)) + " " +
                   formatFixed(c.diametralPitch.value_or(c.module), 4, locale, true) + " at " +
                   formatFixed(c.pressureAngle, 1, locale, true) + " degrees with " +
                   formatFixed(found.basePitch - c.residuals.basePitch, 4, locale) + " mm";
    }
    return problem + ")";
}

}  // namespace

int runIdentify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a;
    CLI::App app(Description, "tamrel-cli identify");
    app.footer(Footer);
    app.get_formatter()->column_width(28);
    constexpr const char* Measured = "Measurements (mm, degrees)";
    app.add_option("--zg", a.teeth, "number of teeth")->required()->type_name("Z")->group(Measured);
    app.add_option("--span", a.spans,
                   "W over K teeth; two or three, over\nconsecutive numbers of teeth")
        ->required()
        ->type_name("K:W")
        ->group(Measured);
    app.add_option("--tip", a.tip, "tip diameter")->required()->type_name("DA")->group(Measured);
    app.add_option("--root", a.root, "root diameter (optional)")->type_name("DF")->group(Measured);
    app.add_option("--helix", a.helix,
                   "helix angle: 0 for a spur gear, otherwise a\nrough value, trusted to 2 "
                   "degrees (omitted:\nunknown, searched from 0 to 45)")
        ->type_name("DEG")
        ->group(Measured);
    app.add_option("--ball", a.ball, "ball or pin diameter D and the dimension M\nover two of them")
        ->type_name("D:M")
        ->group(Measured);
    constexpr const char* Tolerances = "Tolerances (mm)";
    app.add_option("--span-tolerance", a.spanTolerance, "of each span and of M (default 0.005)")
        ->type_name("MM")
        ->group(Tolerances);
    app.add_option("--tip-tolerance", a.tipTolerance, "of the tip diameter (default 0.05)")
        ->type_name("MM")
        ->group(Tolerances);
    app.add_flag("--json", a.json, "one JSON object (see below)")->group("Output");
    app.add_option("--locale", a.localeName,
                   "numbers with the decimal separator of this\ninstalled locale (default \".\")")
        ->type_name("NAME")
        ->group("Output");
    for (CLI::Option* option : app.get_options()) {
        if (option->get_name() != "--span") {
            option->multi_option_policy(CLI::MultiOptionPolicy::Throw);
        }
    }
    NumberLocale locale;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
        if (a.localeName) {
            locale.decimalSeparator = decimalSeparatorOf(*a.localeName);
            if (locale.decimalSeparator.empty()) {
                throw Unusable("unknown locale \"" + *a.localeName + "\"");
            }
        }
        const Measurements m = measurementsOf(a, locale);
        const Identification found = identify(m);
        if (isInputError(found.outcome)) {
            throw Unusable(messageOf(found.outcome));
        }
        if (found.outcome == Outcome::NoStandardBasePitch) {
            throw Unusable(noStandardPair(found, locale));
        }
        if (a.json) {
            writeJson(found, out);
        } else {
            writeGrid(m, found, locale, out);
        }
    } catch (const CLI::Success& answered) {
        return app.exit(answered, out, err);
    } catch (const CLI::Error& problem) {
        return identifyUsageError(err, problem.what());
    } catch (const Unusable& problem) {
        return identifyUsageError(err, problem.what());
    }
    return ExitOk;
}

}  // namespace tamrel::cli
