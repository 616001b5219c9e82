#pragma once

#include <string>
#include <vector>

namespace tamrel::testing {

struct ProgramResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program to its end with `input` as standard input and `environment` ("NAME=value")
// added to this process's environment; captures both output streams.
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input = {},
                         const std::vector<std::string>& environment = {});

// A fresh directory under the system's temporary directory, removed with its contents by the
// destructor.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return path_; }
    // Writes `text` to a file of that name in the directory and returns its path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);

}  // namespace tamrel::testing
