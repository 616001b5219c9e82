#pragma once

#include "cli/gear_report.h"
#include "conversion/inputs.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tamrel::cli {

// "Xn", "W", "M" or "Sn" in any letter case, with blanks around allowed.
std::optional<Quantity> parseReference(std::string_view name);

struct CliOptions {
    TypedGear gear;
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
