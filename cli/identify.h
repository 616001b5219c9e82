#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tamrel::cli {

// `tamrel-cli identify`: reads the measurements of a gear in hand from the arguments after the
// subcommand and writes its standard candidates, as a grid or with --json as one object, to
// `out`. Gives ExitOk, also when nothing fits (the message says so), or ExitUsage with the problem
// on `err` for unusable arguments or measurements and for a base pitch that no standard pair fits.
int runIdentify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamrel::cli
