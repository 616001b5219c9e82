#include "cli/batch_run.h"

#include "cli/batch_columns.h"
#include "cli/batch_row.h"
#include "cli/csv_record_reader.h"
#include "geometry/angles.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace tamrel::cli {

namespace {

constexpr std::size_t ChunkRows = 2048;
// Below this a chunk is not worth a thread.
constexpr std::size_t ParallelRows = 256;
constexpr unsigned MaxThreads = 4;

unsigned threadCount() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, MaxThreads);
}

// Installs the batch's ARCINV notifier for as long as the batch runs.
class ArcinvNotifierScope {
public:
    ArcinvNotifierScope() { setArcinvFailureNotifier(noteArcinvFailure); }
    ~ArcinvNotifierScope() { setArcinvFailureNotifier({}); }
    ArcinvNotifierScope(const ArcinvNotifierScope&) = delete;
    ArcinvNotifierScope& operator=(const ArcinvNotifierScope&) = delete;
};

// Converts the records [begin, end) of a chunk; an exception is kept for the caller.
void convertRange(BatchRowConverter& converter, const std::vector<CsvRecord>& chunk,
                  std::size_t begin, std::size_t end, std::exception_ptr& failure) {
    try {
        for (std::size_t i = begin; i < end; ++i) {
            converter.convert(chunk[i]);
        }
    } catch (...) {
        failure = std::current_exception();
    }
}

// Splits a chunk into consecutive ranges, one per converter, so that the rows of the converters
// written one after another keep the order of the input.
void convertChunk(std::vector<BatchRowConverter>& converters, const std::vector<CsvRecord>& chunk,
                  std::size_t count) {
    const std::size_t parts = count < ParallelRows ? 1 : converters.size();
    std::vector<std::exception_ptr> failures(parts);
    std::vector<std::thread> threads;
    for (std::size_t part = 1; part < parts; ++part) {
        const std::size_t begin = count * part / parts;
        const std::size_t end = count * (part + 1) / parts;
        try {
            threads.emplace_back(convertRange, std::ref(converters[part]), std::cref(chunk), begin,
                                 end, std::ref(failures[part]));
        } catch (const std::system_error&) {
            // No thread to be had: the part is converted here instead.
            convertRange(converters[part], chunk, begin, end, failures[part]);
        }
    }
    convertRange(converters[0], chunk, 0, count / parts, failures[0]);
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

void writeChunk(std::vector<BatchRowConverter>& converters, std::ostream& out,
                std::ostream* warnings) {
    for (BatchRowConverter& converter : converters) {
        const std::string& rows = converter.rows().text();
        out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
        converter.rows().clear();
        if (warnings != nullptr) {
            *warnings << converter.warnings();
        }
        converter.warnings().clear();
    }
}

}  // namespace

BatchSummary runBatch(std::istream& in, std::ostream& out, const NumberLocale& locale,
                      BatchProgress* progress, std::ostream* warnings) {
    CsvRecordReader reader(in);
    CsvRecord header;
    if (!reader.next(header)) {
        throw HeaderError("the input is empty: the first row must name the columns");
    }
    if (header.malformed) {
        throw HeaderError("a quote is misplaced or not closed in the header");
    }
    const BatchColumns columns(header.fields);
    CsvRowWriter headerRow;
    writeBatchHeader(headerRow);
    out << headerRow.text();

    std::vector<BatchRowConverter> converters;
    for (unsigned i = threadCount(); i > 0; --i) {
        converters.emplace_back(columns, locale);
    }
    const ArcinvNotifierScope arcinv;
    std::vector<CsvRecord> chunk(ChunkRows);
    BatchSummary summary;
    for (;;) {
        std::size_t count = 0;
        while (count < ChunkRows && reader.next(chunk[count])) {
            ++count;
        }
        if (count == 0) {
            break;
        }
        convertChunk(converters, chunk, count);
        writeChunk(converters, out, warnings);
        if (!out) {
            break;  // the caller reports the failed output; converting on would be wasted
        }
        summary.rows += count;
        if (progress != nullptr) {
            progress->rowsDone(summary.rows, reader.bytesRead());
        }
    }
    for (const BatchRowConverter& converter : converters) {
        summary.messages += converter.counts().messages;
        summary.unreadable += converter.counts().unreadable;
    }
    if (progress != nullptr) {
        progress->finished(summary.rows);
    }
    return summary;
}

}  // namespace tamrel::cli
