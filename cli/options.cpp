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

constexpr const char* Description =
    R"(tamrel-cli - convert one measure of involute gear tooth size into all others

Runs the conversion of the Tamrel window: the values are typed into their
fields as given, and the run reports a wrong one in its message line.
)";

constexpr const char* Footer =
    R"(Output: the window's grid, or with --json one object keyed by the field names
(TextS(0) ... TextError). --inspect adds, after a run without a message, the
span, ball and chordal values for the nominal, MID, MAX and MIN value: a table,
an object "inspection", or columns named by their JSON path; a value that
cannot be formed is null, and "absent" gives the reason.

Batch: --csv FILE (or - for standard input) converts one gear per row. The
header names the columns: mn, pn, zg, bog, ref, value required; zmg, dpg,
upper, lower, dkg, drg optional. Each output row holds the line number, the
input and every field after the run; a row that cannot be read says why in
TextError.

Identification: tamrel-cli identify --zg Z --span K:W --span K:W
[--span K:W] --tip DA [--root DF] [--helix DEG] [--ball D:M]
[--span-tolerance MM] [--tip-tolerance MM] [--json] [--locale NAME]
finds the standard module or diametral pitch, pressure angle, helix angle
and Xn of an external gear in hand from spans over consecutive numbers of
teeth and its tip diameter. --helix 0 means a spur gear, an omitted --helix
an unknown angle; the tolerances default to 0.005 mm (spans and M) and
0.05 mm (tip). tamrel-cli identify --help describes every option and the
list of candidates. For example, a helical gear of 59 teeth measured
  tamrel-cli identify --zg 59 --span 7:63.507 --span 8:72.880 --tip 199.37
is diametral pitch 8 (module 3.175 mm) at 20 degrees, with a helix angle of
15.006 degrees and Xn -0.1446.

Exit status: 0 the conversion ran (with or without a message), 1 the output
could not be written, 2 unusable arguments, locale or input file.
)";

// The options whose value is text, in their groups of the help: the fields and the reference.
struct FieldOption {
    const char* name;
    std::string GearInput::*member;
    const char* value;
    const char* help;
    const char* group;
};
constexpr const char* Band = "Reference measure";
constexpr const char* Diameters = "Tip and root diameters";
// clang-format off
const std::array<FieldOption, 12> FieldOptions{{
    {"--mn", &GearInput::mn, "MN", "normal module in mm; negative: diametral pitch", "Gear"},
    {"--pn", &GearInput::pn, "PN", "normal pressure angle in degrees", "Gear"},
    {"--zg", &GearInput::zg, "ZG", "number of teeth; negative for an internal gear", "Gear"},
    {"--bog", &GearInput::bog, "BOG", "helix angle in degrees; 0 for a spur gear", "Gear"},
    {"--zmg", &GearInput::zmg, "ZMG", "number of teeth spanned; needed for W\n"
                                      "(omitted: the field stays empty)", "Gear"},
    {"--dpg", &GearInput::dpg, "DPG", "pin or ball diameter in mm; needed for M\n"
                                      "(omitted: the field stays empty)", "Gear"},
    {"--ref", nullptr, "Q", "the measure given: Xn, W, M or Sn", Band},
    {"--value", &GearInput::value, "V", "value of the reference measure", Band},
    {"--upper", &GearInput::upper, "S1", "upper tolerance, signed (default 0)", Band},
    {"--lower", &GearInput::lower, "S2", "lower tolerance, signed; negative when it lies\n"
                                         "below the value (default 0)", Band},
    {"--dkg", &GearInput::dkg, "DKG", "tip diameter as typed; turns --auto off", Diameters},
    {"--drg", &GearInput::drg, "DRG", "root diameter as typed; turns --auto off", Diameters},
}};
// clang-format on

// CLI11 wants the arguments last to first. "--opt=value" is split into two arguments, because
// CLI11 reads "--opt=" as an option without its value while the window accepts an empty field;
// the argument after a value option is its value and is passed on untouched.
std::vector<std::string> forCli11(const CLI::App& app, const std::vector<std::string>& args) {
    const auto takesValue = [&app](const std::string& name) {
        const CLI::Option* option =
            name.rfind("--", 0) == 0 ? app.get_option_no_throw(name) : nullptr;
        return option != nullptr && option->get_expected_min() > 0;
    };
    std::vector<std::string> split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::size_t equals = args[i].find('=');
        if (equals != std::string::npos && takesValue(args[i].substr(0, equals))) {
            split.push_back(args[i].substr(0, equals));
            split.push_back(args[i].substr(equals + 1));
            continue;
        }
        split.push_back(args[i]);
        if (takesValue(args[i]) && i + 1 < args.size()) {
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
    for (const char* required : {"--mn", "--pn", "--zg", "--bog", "--value", "--ref"}) {
        if (app.count(required) == 0) {
            throw CLI::RequiredError(required);
        }
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
        std::string& text = option.member ? options.gear.*option.member : reference;
        app.add_option(option.name, text, option.help)
            ->type_name(option.value)
            ->group(option.group);
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
        std::vector<std::string> reversed = forCli11(app, args);
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
