// libFuzzer entry point: every input is one compute run on an in-memory window. A crash, a
// sanitizer report, an exception escaping the run or a broken invariant aborts the fuzzer.

#include "fuzz/compute_run_case.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string problem = tamrel::fuzzing::checkedRun(tamrel::fuzzing::decodeFuzzCase(input));
    if (!problem.empty()) {
        std::fprintf(stderr, "compute run invariant broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
