#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tamrel::cli {

// Where the program reads and writes; main() passes the standard streams.
struct CliStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    // Standard error is a terminal, so a long batch may show its progress there.
    bool errIsTerminal = false;
};

// The whole program for the arguments after its name; returns the exit status.
int runCli(const std::vector<std::string>& args, const CliStreams& streams);

}  // namespace tamrel::cli
