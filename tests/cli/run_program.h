#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamrel::testing {

struct ProgramResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The path of a fresh directory under the system's temporary directory; the directory and its
// contents are removed with the last copy of the pointer.
inline std::shared_ptr<const std::string> temporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tamrel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary directory");
    return {new std::string(pattern), [](const std::string* path) {
                std::error_code ignored;
                std::filesystem::remove_all(*path, ignored);
                delete path;
            }};
}

inline std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Runs a program to its end with `input` as standard input; captures both output streams.
inline ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                                const std::string& input = {}) {
    const auto quoted = [](std::string text) {  // as one word of the shell
        for (std::size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4)
            text.replace(at, 1, "'\\''");
        return "'" + text + "'";
    };
    // Files, not pipes: neither stream can fill up and block the child.
    const auto streams = temporaryDirectory();
    std::ofstream(*streams + "/in", std::ios::binary) << input;
    std::string command = "exec " + quoted(path);
    for (const std::string& word : args)
        command += ' ' + quoted(word);
    const std::string at = quoted(*streams) + "/";
    const int status =
        std::system((command + " <" + at + "in >" + at + "out 2>" + at + "err").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(*streams + "/out"),
            readFile(*streams + "/err")};
}

}  // namespace tamrel::testing
