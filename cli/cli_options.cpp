#include "cli/cli_options.h"

#include <array>
#include <set>

namespace tamrel::cli {

namespace {

// Options whose value goes straight into a field of the gear.
struct FieldOption {
    const char* name;
    std::string GearInput::*member;
};
constexpr std::array<FieldOption, 11> FieldOptions{{
    {"--mn", &GearInput::mn},
    {"--pn", &GearInput::pn},
    {"--zg", &GearInput::zg},
    {"--bog", &GearInput::bog},
    {"--zmg", &GearInput::zmg},
    {"--dpg", &GearInput::dpg},
    {"--value", &GearInput::value},
    {"--upper", &GearInput::upper},
    {"--lower", &GearInput::lower},
    {"--dkg", &GearInput::dkg},
    {"--drg", &GearInput::drg},
}};
constexpr std::array<const char*, 3> OtherValueOptions{"--ref", "--csv", "--locale"};
constexpr std::array<const char*, 5> RequiredForOneGear{"--mn", "--pn", "--zg", "--bog", "--value"};

bool takesValue(const std::string& name) {
    for (const auto& option : FieldOptions) {
        if (name == option.name) {
            return true;
        }
    }
    for (const char* option : OtherValueOptions) {
        if (name == option) {
            return true;
        }
    }
    return false;
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    CliOptions read() {
        for (next_ = 0; next_ < args_.size();) {
            readOne();
        }
        return finish();
    }

private:
    void readOne() {
        std::string name = args_[next_++];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "--help" || name == "-h") {
            help_ = true;
            return;
        }
        const bool isFlag = name == "--auto" || name == "--json";
        if (!isFlag && !takesValue(name)) {
            throw UsageError(name.rfind("-", 0) == 0 ? "unknown option " + name
                                                     : "unexpected argument \"" + name + "\"");
        }
        if (!given_.insert(name).second) {
            throw UsageError(name + " is given more than once");
        }
        if (isFlag) {
            if (value) {
                throw UsageError(name + " takes no value");
            }
            options_.json = options_.json || name == "--json";
            return;
        }
        if (!value) {
            if (next_ == args_.size()) {
                throw UsageError(name + " needs a value");
            }
            value = args_[next_++];
        }
        store(name, *value);
    }

    void store(const std::string& name, const std::string& value) {
        for (const auto& option : FieldOptions) {
            if (name == option.name) {
                options_.gear.*option.member = value;
                return;
            }
        }
        if (name == "--ref") {
            const auto reference = parseReference(value);
            if (!reference) {
                throw UsageError("--ref takes Xn, W, M or Sn, not \"" + value + "\"");
            }
            options_.gear.reference = *reference;
        } else if (name == "--csv") {
            options_.csvPath = value;
        } else {
            options_.localeName = value;
        }
    }

    CliOptions finish() {
        if (help_) {
            options_.mode = CliMode::Help;
            return options_;
        }
        if (given_.count("--csv") != 0) {
            checkBatch();
            options_.mode = CliMode::Batch;
            return options_;
        }
        checkOneGear();
        return options_;
    }

    void checkBatch() const {
        for (const std::string& name : given_) {
            if (name != "--csv" && name != "--locale") {
                throw UsageError(name + " cannot be combined with --csv: each row gives its gear");
            }
        }
    }

    void checkOneGear() {
        if (given_.empty()) {
            throw UsageError("no gear given");
        }
        for (const char* required : RequiredForOneGear) {
            if (given_.count(required) == 0) {
                throw UsageError(std::string(required) + " is required");
            }
        }
        if (given_.count("--ref") == 0) {
            throw UsageError("--ref is required");
        }
        const bool typedDiameters = given_.count("--dkg") != 0 || given_.count("--drg") != 0;
        if (typedDiameters && given_.count("--auto") != 0) {
            throw UsageError("--auto cannot be combined with --dkg or --drg");
        }
        options_.gear.autoDiameter = !typedDiameters;
    }

    static constexpr auto npos = std::string::npos;
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    std::set<std::string> given_;
    bool help_ = false;
    CliOptions options_;
};

}  // namespace

CliOptions parseArguments(const std::vector<std::string>& args) {
    return ArgumentReader(args).read();
}

}  // namespace tamrel::cli
