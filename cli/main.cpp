#include "cli/cli_app.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // The batch writes many rows; the C streams are not used.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tamrel::cli::CliStreams streams{std::cin, std::cout, std::cerr, isatty(2) == 1};
    return tamrel::cli::runCli(args, streams);
}
