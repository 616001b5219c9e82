#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tamrel::testing {

struct ProgramResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program to its end with `input` as standard input; captures both output streams.
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input = {});

// The path of a fresh directory under the system's temporary directory; the directory and its
// contents are removed with the last copy of the pointer.
std::shared_ptr<const std::string> temporaryDirectory();

std::string readFile(const std::string& path);

}  // namespace tamrel::testing
