// tamrel-cli: the compute run of the window from the command line, one gear or a CSV batch.
#include "cli/batch.h"
#include "cli/decimal_separator.h"
#include "cli/gear_report.h"
#include "cli/identify.h"
#include "cli/options.h"
#include "cli/progress.h"
#include "conversion/compute_run.h"
#include "geometry/angles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>

namespace tamrel::cli {

namespace {

int finishOutput() {
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tamrel-cli: the output could not be written\n";
        return ExitWriteFailed;
    }
    return ExitOk;
}

int convertOneGear(const CliOptions& options, const NumberLocale& locale) {
    const auto rack = basicRack(options.gear, locale, &RackInput::option);
    if (const auto* problem = std::get_if<std::string>(&rack)) {
        return usageError(std::cerr, *problem);
    }
    const ConversionResult run = runConversion(conversionInput(options.gear, locale));
    const auto inspection =
        options.inspect ? inspectionOf(run, std::get<inspection::BasicRack>(rack)) : std::nullopt;
    if (options.json) {
        writeJson(run, inspection, std::cout);
    } else {
        writeGrid(run, inspection, locale, std::cout);
    }
    return finishOutput();
}

int convertBatch(const std::string& path, bool inspect, const NumberLocale& locale) {
    std::ifstream file;
    struct stat info {};
    if (path == "-") {
        fstat(0, &info);
    } else if (stat(path.c_str(), &info) != 0) {
        return usageError(std::cerr, path + ": " + std::strerror(errno));
    } else if (S_ISDIR(info.st_mode)) {
        return usageError(std::cerr, path + ": is a directory");
    } else if (file.open(path, std::ios::binary); !file) {
        return usageError(std::cerr, path + ": cannot be opened");
    }
    // The size of a regular file gives the percentage; a pipe has none.
    TerminalProgress progress(std::cerr, S_ISREG(info.st_mode) ? info.st_size : 0);
    try {
        const std::uint64_t rows =
            runBatch(path == "-" ? std::cin : file, std::cout, locale, inspect,
                     isatty(2) == 1 ? BatchProgress(std::ref(progress)) : nullptr);
        progress.finished(rows);
    } catch (const std::runtime_error& failure) {
        // A header error is found before any output; a read error may come later.
        std::cout.flush();
        return usageError(std::cerr, path + ": " + failure.what());
    }
    return finishOutput();
}

}  // namespace

}  // namespace tamrel::cli

int main(int argc, char* argv[]) {
    using namespace tamrel::cli;
    // The batch writes many rows; the C streams are not used for them.
    std::ios::sync_with_stdio(false);
    // The window shows this in a box and goes on with the run. C stdio is safe from the batch's
    // threads.
    tamrel::setArcinvFailureNotifier(
        [] { std::fputs("tamrel-cli: Error occurred in ARCINV function!\n", stderr); });
    if (argc > 1 && std::strcmp(argv[1], "identify") == 0) {
        const int status = runIdentify({argv + 2, argv + argc}, std::cout, std::cerr);
        return status == ExitOk ? finishOutput() : status;
    }
    const auto parsed = parseArguments({argv + 1, argv + argc}, std::cout, std::cerr);
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const CliOptions& options = std::get<CliOptions>(parsed);
    tamrel::NumberLocale locale;
    if (options.localeName) {
        locale.decimalSeparator = decimalSeparatorOf(*options.localeName);
        if (locale.decimalSeparator.empty()) {
            return usageError(std::cerr, "unknown locale \"" + *options.localeName + "\"");
        }
    }
    return options.csvPath ? convertBatch(*options.csvPath, options.inspect, locale)
                           : convertOneGear(options, locale);
}
