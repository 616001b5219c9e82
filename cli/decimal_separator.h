#pragma once

#include <optional>
#include <string>

namespace tamrel::cli {

// The decimal separator of a named locale ("de_DE.UTF-8" gives ","), or nothing when the system
// does not have that locale.
std::optional<std::string> decimalSeparatorOf(const std::string& localeName);

}  // namespace tamrel::cli
