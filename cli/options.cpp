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
    R"(Output: the window's grid, or with --json one object: "reference", then for
Xn, W, M and Sn their "reference", "upper", "lower", "mid", "max" and "min",
then "tipDiameter", "rootDiameter" and "message", each the text the window
shows ("---" where it shows no value). --inspect adds, after a run without a
message, the span, ball, chordal and flank values for the nominal, MID, MAX
and MIN value: a table, an object "inspection", or columns named by their JSON
path; a value that cannot be formed is null, and "absent" gives the reason.
The flank gives where the involute starts (formDiameter), whether the rack's
tip has cut into it (undercut), the base diameter and the rack assumed: ISO 53
profile A (dedendum 1.25, tip radius 0.38 modules) unless --rack-dedendum and
--rack-tip-radius say otherwise. The span and the ball measure only on the
flank from the largest form diameter of the band (span.usableFrom) to the tip.

Batch: --csv FILE (or - for standard input) converts one gear per row. The
header names the columns: mn, pn, zg, bog, ref, value required; zmg, dpg,
upper, lower, dkg, drg, rackDedendum, rackTipRadius optional. Each output row
holds the line number, the input and the values of the JSON object by their
dotted names (Xn.reference ... Sn.min, tipDiameter, rootDiameter, message);
a row that cannot be read says why in its message.

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

constexpr const char* GearGroup = "Gear";
constexpr const char* BandGroup = "Reference measure";
constexpr const char* DiameterGroup = "Tip and root diameters";

const char* groupOf(Input input) {
    return input < Input::Value ? GearGroup : input <= Input::Lower ? BandGroup : DiameterGroup;
}

// The help of an input's option: what it is, and what the command line does without it.
std::string helpOf(Input input) {
    const std::string meaning = describe(input).meaning;
    if (input == Input::ZMG || input == Input::DPG) {
        return meaning + "\n(omitted: the field stays empty)";
    }
    if (input == Input::Upper || input == Input::Lower) {
        return meaning + "\n(default 0)";
    }
    return input < Input::DKG ? meaning : meaning + " as typed; turns --auto off";
}

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
void finish(CLI::App& app, const std::string& reference,
            const std::array<std::string, InputCount>& texts, CliOptions& options) {
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
    for (Input i : Inputs) {
        const std::string name = std::string("--") + describe(i).key;
        if (describe(i).required && app.count(name) == 0) {
            throw CLI::RequiredError(name);
        }
        if (app.count(name) > 0) {
            options.gear[i] = texts[static_cast<std::size_t>(i)];
        }
    }
    if (app.count("--ref") == 0) {
        throw CLI::RequiredError("--ref");
    }
    options.gear.reference = *quantity;
    if ((options.gear[Input::DKG] || options.gear[Input::DRG]) && app.count("--auto") > 0) {
        throw CLI::ExcludesError("--auto cannot be combined with --dkg or --drg",
                                 CLI::ExitCodes::ExcludesError);
    }
}

}  // namespace

std::optional<Quantity> parseReference(std::string_view name) {
    const std::string trimmed(trimBlanks(name));
    for (Quantity q : Quantities) {
        // A cell may hold a NUL, where the comparison of C strings would stop.
        if (strcasecmp(trimmed.c_str(), describe(q).name) == 0 &&
            trimmed.size() == std::strlen(describe(q).name)) {
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
    std::array<std::string, InputCount> texts;
    CLI::App app(Description, "tamrel-cli");
    app.footer(Footer);
    app.set_version_flag("--version", "tamrel-cli " TAMREL_VERSION);
    app.get_formatter()->column_width(24);
    for (Input i : Inputs) {
        if (i == Input::Value) {
            app.add_option("--ref", reference, "the measure given: Xn, W, M or Sn")
                ->type_name("Q")
                ->group(BandGroup);
        }
        app.add_option(std::string("--") + describe(i).key, texts[static_cast<std::size_t>(i)],
                       helpOf(i))
            ->type_name(describe(i).shortName)
            ->group(groupOf(i));
    }
    app.add_flag("--auto", "tip and root diameters from the run (default)")
        ->group("Tip and root diameters");
    app.add_flag("--json", options.json, "one JSON object of the run's values")->group("Output");
    app.add_flag("--inspect", options.inspect, "add the inspection aids (see below)")
        ->group("Output");
    std::array<std::string, RackInputs.size()> rackTexts;
    for (std::size_t i = 0; i < RackInputs.size(); ++i) {
        app.add_option(RackInputs[i].option, rackTexts[i], RackInputs[i].help)
            ->type_name("F")
            ->group("Inspection");
    }
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
        finish(app, reference, texts, options);
        for (std::size_t i = 0; i < RackInputs.size(); ++i) {
            if (app.count(RackInputs[i].option) > 0) {
                options.gear.rack[i] = rackTexts[i];
            }
        }
    } catch (const CLI::Success& answered) {
        return app.exit(answered, out, err);
    } catch (const CLI::Error& problem) {
        return usageError(err, problem.what());
    }
    return options;
}

}  // namespace tamrel::cli
