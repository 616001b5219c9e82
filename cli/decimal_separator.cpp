#include "cli/decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

namespace tamrel::cli {

std::string decimalSeparatorOf(const std::string& localeName) {
    const locale_t numeric =
        localeName.empty() ? locale_t{} : newlocale(LC_NUMERIC_MASK, localeName.c_str(), {});
    if (numeric == locale_t{}) {
        return {};
    }
    std::string separator = nl_langinfo_l(RADIXCHAR, numeric);
    freelocale(numeric);
    return separator;
}

}  // namespace tamrel::cli
