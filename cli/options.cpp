#include "cli/options.h"

#include "conversion/numeric_text.h"
#include "tamrel_version.h"

#include <CLI/CLI.hpp>
#include <strings.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace tamrel::cli {

namespace {

constexpr std::array<const char*, QuantityCount> ReferenceNames{"Xn", "W", "M", "Sn"};

constexpr const char* Description =
    R"(tamrel-cli - convert one measure of involute gear tooth size into all others

One gear is converted exactly as the Tamrel window converts it: every value is
typed into its field as given, the reference quantity is selected, and one
compute run fills in the results. Values are not checked here; the run checks
them and reports a wrong one in its message line.
)";

constexpr const char* Footer = R"(Output formats:
  (default)      the grid of the window: a row per measure with the reference
                 value, both deviations and the MID, MAX and MIN results, then
                 the tip and root diameters and the message line
  --json         one JSON object whose keys are the window's field names
                 (TextS(0) ... TextS2(3), TextSXn ... TextSSn2, TextDKG,
                 TextDRG, TextError) and whose values are their texts

Inspection (--inspect), after a run without a message, for the nominal, mid,
max and min value of the band: the span (teeth entered, recommended and
measurable, anvil contact diameters, usable flank, whether it measures, face
width needed), the ball (entered and ideal diameter, centre circle, contact
diameters, protrusion, whether it measures) and the chordal thickness, height
and constant chord. The grid adds an "Inspection" table, JSON an object
"inspection" of numbers, a batch one column per value named by its JSON path
(inspection.span.recommendedTeeth, inspection.ball.protrusion.max ...). A
value that cannot be formed is null (an empty cell, "---" in the grid) and its
path is listed with the reason under "absent".

Batch (--csv FILE): one gear per row of a CSV file ("-" reads standard input),
a CSV on standard output. The first row names the columns: mn, pn, zg, bog,
ref and value are required; zmg, dpg, upper, lower, dkg and drg are optional.
A row with dkg or drg filled in has AUTO off. Each output row holds the input
line number, the input columns and the text of every field after the run. A
run that ends with a message carries it in TextError; a row that cannot be
read (wrong number of fields, unknown ref, misplaced quote) is not run and its
TextError says why, with its line number. On a terminal, progress of a long
batch is shown on standard error.

Exit status:
  0  the conversion ran, whether or not it ended with a message
  1  the output could not be written
  2  unusable arguments, an unknown locale, or an input file that cannot be
     read or has no usable header row
)";

// The options whose value is the text of a field, in the order a missing one is reported.
struct FieldOption {
    const char* name;
    std::string GearInput::*member;
    const char* value;
    const char* help;
    bool requiredForOneGear;
};
// clang-format off
const std::array<FieldOption, 11> FieldOptions{{
    {"--mn", &GearInput::mn, "MN", "normal module in mm; negative: diametral pitch", true},
    {"--pn", &GearInput::pn, "PN", "normal pressure angle in degrees", true},
    {"--zg", &GearInput::zg, "ZG", "number of teeth; negative for an internal gear", true},
    {"--bog", &GearInput::bog, "BOG", "helix angle in degrees; 0 for a spur gear", true},
    {"--zmg", &GearInput::zmg, "ZMG", "number of teeth spanned; needed for W\n"
                                      "(omitted: the field stays empty)", false},
    {"--dpg", &GearInput::dpg, "DPG", "pin or ball diameter in mm; needed for M\n"
                                      "(omitted: the field stays empty)", false},
    {"--value", &GearInput::value, "V", "value of the reference measure", true},
    {"--upper", &GearInput::upper, "S1", "upper tolerance, signed (default 0)", false},
    {"--lower", &GearInput::lower, "S2", "lower tolerance, signed; negative when it lies\n"
                                         "below the value (default 0)", false},
    {"--dkg", &GearInput::dkg, "DKG", "tip diameter as typed; turns --auto off", false},
    {"--drg", &GearInput::drg, "DRG", "root diameter as typed; turns --auto off", false},
}};
// clang-format on
constexpr std::array<const char*, 3> OtherValueOptions{"--ref", "--csv", "--locale"};

bool takesValue(std::string_view name) {
    const auto named = [name](const char* option) { return name == option; };
    return std::any_of(FieldOptions.begin(), FieldOptions.end(),
                       [&](const FieldOption& o) { return named(o.name); }) ||
           std::any_of(OtherValueOptions.begin(), OtherValueOptions.end(), named);
}

// CLI11 wants the arguments last to first. "--opt=value" is split into two arguments, because
// CLI11 reads "--opt=" as an option without its value while the window accepts an empty field;
// the argument after a value option is its value and is passed on untouched.
std::vector<std::string> forCli11(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos &&
            takesValue(std::string_view(arg).substr(0, equals))) {
            split.push_back(arg.substr(0, equals));
            split.push_back(arg.substr(equals + 1));
            continue;
        }
        split.push_back(arg);
        if (takesValue(arg) && i + 1 < args.size()) {
            split.push_back(args[++i]);
        }
    }
    std::reverse(split.begin(), split.end());
    return split;
}

// The checks CLI11 cannot express: a batch takes its gears from the rows; one gear needs every
// gear option and a known reference measure.
void finish(CLI::App& app, const std::string& reference, CliOptions& options) {
    if (options.csvPath) {
        for (const CLI::Option* option : app.get_options()) {
            const std::string name = option->get_name();
            if (option->count() > 0 && name != "--csv" && name != "--locale" &&
                name != "--inspect") {
                throw CLI::ExcludesError(name + " cannot be combined with --csv: each row gives "
                                                "its gear",
                                         CLI::ExitCodes::ExcludesError);
            }
        }
        return;
    }
    const auto quantity = parseReference(reference);
    if (app.count("--ref") > 0 && !quantity) {
        throw CLI::ValidationError("--ref takes Xn, W, M or Sn, not \"" + reference + "\"");
    }
    for (const FieldOption& option : FieldOptions) {
        if (option.requiredForOneGear && app.count(option.name) == 0) {
            throw CLI::RequiredError(option.name);
        }
    }
    if (!quantity) {
        throw CLI::RequiredError("--ref");
    }
    options.gear.reference = *quantity;
    options.gear.autoDiameter = app.count("--dkg") == 0 && app.count("--drg") == 0;
    if (!options.gear.autoDiameter && app.count("--auto") > 0) {
        throw CLI::ExcludesError("--auto cannot be combined with --dkg or --drg",
                                 CLI::ExitCodes::ExcludesError);
    }
}

}  // namespace

std::optional<Quantity> parseReference(std::string_view name) {
    const std::string trimmed(trimBlanks(name));
    for (Quantity q : Quantities) {
        // A cell may hold a NUL, where the comparison of C strings would stop.
        if (strcasecmp(trimmed.c_str(), ReferenceNames[q]) == 0 &&
            trimmed.size() == std::strlen(ReferenceNames[q])) {
            return q;
        }
    }
    return std::nullopt;
}

const char* referenceName(Quantity quantity) {
    return ReferenceNames[quantity];
}

int usageError(std::ostream& err, const std::string& problem) {
    err << "tamrel-cli: " << problem << "\nRun tamrel-cli --help for the options.\n";
    return ExitUsage;
}

std::variant<CliOptions, int> parseArguments(const std::vector<std::string>& args,
                                             std::ostream& out, std::ostream& err) {
    CliOptions options;
    std::string reference;
    CLI::App app(Description, "tamrel-cli");
    app.footer(Footer);
    app.set_version_flag("--version", "tamrel-cli " TAMREL_VERSION);
    app.get_formatter()->column_width(22);
    for (const FieldOption& option : FieldOptions) {
        const auto member = option.member;
        if (member == &GearInput::value) {
            app.add_option("--ref", reference, "the measure given: Xn, W, M or Sn")
                ->type_name("Q")
                ->group("Reference measure");
        }
        const bool diameter = member == &GearInput::dkg || member == &GearInput::drg;
        const bool band = member == &GearInput::value || member == &GearInput::upper ||
                          member == &GearInput::lower;
        app.add_option(option.name, options.gear.*member, option.help)
            ->type_name(option.value)
            ->group(diameter ? "Tip and root diameters"
                    : band   ? "Reference measure"
                             : "Gear");
    }
    app.add_flag("--auto", "tip and root diameters from the run (default)")
        ->group("Tip and root diameters");
    app.add_flag("--json", options.json, "one JSON object of the window's fields")->group("Output");
    app.add_flag("--inspect", options.inspect, "add the inspection aids (see below)")
        ->group("Output");
    app.add_option("--csv", options.csvPath, "convert one gear per CSV row (see below)")
        ->type_name("FILE|-")
        ->group("Output");
    app.add_option("--locale", options.localeName,
                   "numbers with the decimal separator of this\n"
                   "installed locale, e.g. de_DE.UTF-8 for \",\"\n"
                   "(default \".\"; see locale -a)")
        ->type_name("NAME")
        ->group("Output");
    for (CLI::Option* option : app.get_options()) {
        // A flag given twice or with a value is a mistake, as is an option given twice.
        option->multi_option_policy(CLI::MultiOptionPolicy::Throw)->disable_flag_override();
    }
    try {
        std::vector<std::string> reversed = forCli11(args);
        app.parse(reversed);
        finish(app, reference, options);
    } catch (const CLI::Success& answered) {
        return app.exit(answered, out, err);
    } catch (const CLI::Error& problem) {
        return usageError(err, problem.what());
    }
    return options;
}

}  // namespace tamrel::cli
