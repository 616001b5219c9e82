#pragma once

#include "cli/gear_input.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamrel::cli {

enum class CliMode { Single, Batch, Help };

// What the command line asks for.
struct CliOptions {
    CliMode mode = CliMode::Single;
    GearInput gear;
    bool json = false;
    std::string csvPath;  // "-" for standard input
    std::optional<std::string> localeName;
};

// Arguments that cannot be used; the text says which and why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Options take their value as the next argument or
// after "=" ("--mn 3.175", "--mn=3.175"); values are kept as typed. Throws UsageError.
CliOptions parseArguments(const std::vector<std::string>& args);

}  // namespace tamrel::cli
