#include "cli/cli_app.h"

#include "cli/batch_columns.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/decimal_separator.h"
#include "cli/gear_converter.h"
#include "cli/grid_report.h"
#include "cli/json_report.h"
#include "cli/terminal_progress.h"
#include "cli/usage_text.h"
#include "geometry/angles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>

namespace tamrel::cli {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitUsage = 2;

int usageError(const CliStreams& streams, const std::string& problem) {
    streams.err << "tamrel-cli: " << problem << '\n' << shortUsage();
    return ExitUsage;
}

int finishOutput(const CliStreams& streams) {
    streams.out.flush();
    if (!streams.out) {
        streams.err << "tamrel-cli: the output could not be written\n";
        return ExitWriteFailed;
    }
    return ExitOk;
}

int convertOneGear(const CliOptions& options, const NumberLocale& locale,
                   const CliStreams& streams) {
    // The window shows this message in a box and goes on with the run.
    setArcinvFailureNotifier(
        [&streams] { streams.err << "tamrel-cli: Error occurred in ARCINV function!\n"; });
    GearConverter converter(locale);
    converter.convert(options.gear);
    setArcinvFailureNotifier({});
    if (options.json) {
        writeJson(converter, streams.out);
    } else {
        writeGrid(converter, streams.out);
    }
    return finishOutput(streams);
}

// The size of a regular file, or 0 when it has none (a pipe, a terminal).
std::uint64_t regularFileSize(const struct stat& info) {
    return S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

int convertBatch(const CliOptions& options, const NumberLocale& locale, const CliStreams& streams) {
    const bool fromStandardInput = options.csvPath == "-";
    std::ifstream file;
    struct stat info {};
    if (fromStandardInput) {
        fstat(0, &info);
    } else {
        if (stat(options.csvPath.c_str(), &info) != 0) {
            return usageError(streams, options.csvPath + ": " + std::strerror(errno));
        }
        if (S_ISDIR(info.st_mode)) {
            return usageError(streams, options.csvPath + ": is a directory");
        }
        file.open(options.csvPath, std::ios::binary);
        if (!file) {
            return usageError(streams, options.csvPath + ": cannot be opened");
        }
    }
    std::istream& in = fromStandardInput ? streams.in : file;
    std::unique_ptr<TerminalProgress> progress;
    if (streams.errIsTerminal) {
        progress = std::make_unique<TerminalProgress>(streams.err, regularFileSize(info));
    }
    try {
        runBatch(in, streams.out, locale, progress.get(), &streams.err);
    } catch (const std::runtime_error& failure) {
        // A header error is found before any output; a read error may come later.
        streams.out.flush();
        return usageError(streams, options.csvPath + ": " + failure.what());
    }
    return finishOutput(streams);
}

}  // namespace

int runCli(const std::vector<std::string>& args, const CliStreams& streams) {
    CliOptions options;
    try {
        options = parseArguments(args);
    } catch (const UsageError& error) {
        return usageError(streams, error.what());
    }
    if (options.mode == CliMode::Help) {
        streams.out << helpText();
        return finishOutput(streams);
    }
    NumberLocale locale;
    if (options.localeName) {
        const auto separator = decimalSeparatorOf(*options.localeName);
        if (!separator) {
            return usageError(streams, "unknown locale \"" + *options.localeName + "\"");
        }
        locale.decimalSeparator = *separator;
    }
    return options.mode == CliMode::Batch ? convertBatch(options, locale, streams)
                                          : convertOneGear(options, locale, streams);
}

}  // namespace tamrel::cli
