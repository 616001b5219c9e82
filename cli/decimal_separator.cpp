#include "cli/decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

namespace tamrel::cli {

std::optional<std::string> decimalSeparatorOf(const std::string& localeName) {
    // An empty name would silently mean "the environment's locale".
    if (localeName.empty()) {
        return std::nullopt;
    }
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t{});
    if (numeric == locale_t{}) {
        return std::nullopt;
    }
    std::string separator = nl_langinfo_l(RADIXCHAR, numeric);
    freelocale(numeric);
    if (separator.empty()) {
        return std::nullopt;
    }
    return separator;
}

}  // namespace tamrel::cli
