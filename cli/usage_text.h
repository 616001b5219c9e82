#pragma once

namespace tamrel::cli {

// The short reminder printed after a usage error.
const char* shortUsage();

// The full description printed by --help.
const char* helpText();

}  // namespace tamrel::cli
