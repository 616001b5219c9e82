#pragma once

#include "conversion/fields.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tamrel::cli {

// One gear as a user would type it into the window: every value is the text of its field,
// passed on unchanged so that the compute run does its own checking.
struct GearInput {
    std::string mn;
    std::string pn;
    std::string zg;
    std::string bog;
    std::string zmg;  // empty when not given, as in a window whose field was cleared
    std::string dpg;
    Quantity reference = W;
    std::string value;
    std::string upper = "0";
    std::string lower = "0";
    // Unchecked "AUTO": the run keeps the typed tip and root diameters.
    bool autoDiameter = true;
    std::string dkg;
    std::string drg;
};

// "Xn", "W", "M" or "Sn" in any letter case, with blanks around allowed.
std::optional<Quantity> parseReference(std::string_view name);
// The short names of the quantities.
inline constexpr std::array<const char*, QuantityCount> ReferenceNames{"Xn", "W", "M", "Sn"};

struct CliOptions {
    GearInput gear;
    bool json = false;
    bool inspect = false;
    std::optional<std::string> csvPath;  // "-" for standard input
    std::optional<std::string> localeName;
};

// Exit statuses of the program.
enum ExitStatus : int { ExitOk = 0, ExitWriteFailed = 1, ExitUsage = 2 };

// Reads the arguments after the program name. Options take their value as the next argument,
// whatever it looks like ("--value -0.1445"), or after "=" ("--mn=3.175", "--dkg=" for an empty
// field). Gives the options, or the exit status when the arguments are answered here (--help and
// --version on `out`) or unusable (the problem on `err`).
std::variant<CliOptions, int> parseArguments(const std::vector<std::string>& args,
                                             std::ostream& out, std::ostream& err);

// Writes "tamrel-cli: problem" and a hint to --help; gives ExitUsage.
int usageError(std::ostream& err, const std::string& problem);

}  // namespace tamrel::cli
