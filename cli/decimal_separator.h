#pragma once

#include <string>

namespace tamrel::cli {

// The decimal separator of an installed locale ("de_DE.UTF-8" gives ","); empty for an unknown one
// or the empty name, which would silently mean the environment's locale.
std::string decimalSeparatorOf(const std::string& localeName);

}  // namespace tamrel::cli
