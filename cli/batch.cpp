#include "cli/batch.h"

#include "cli/csv_text.h"
#include "cli/gear_report.h"
#include "cli/options.h"
#include "conversion/compute_run.h"
#include "conversion/numeric_text.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <future>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tamrel::cli {

namespace {

// The input columns of a batch in their order, named like the command-line options: every input,
// "ref" for the reference quantity before its value, and the rack's factors.
struct InputColumn {
    const char* name;
    std::optional<Input> input;
    std::optional<std::size_t> rack;  // neither: "ref"
    bool required;
};
const std::vector<InputColumn>& inputColumns() {
    static const std::vector<InputColumn> columns = [] {
        std::vector<InputColumn> list;
        for (Input i : Inputs) {
            if (i == Input::Value) {
                list.push_back({"ref", std::nullopt, std::nullopt, true});
            }
            list.push_back({describe(i).key, i, std::nullopt, describe(i).required});
        }
        for (std::size_t r = 0; r < RackInputs.size(); ++r) {
            list.push_back({RackInputs[r].column, std::nullopt, r, false});
        }
        return list;
    }();
    return columns;
}

constexpr std::size_t ChunkRows = 2048;
// Below this a chunk is not worth a thread.
constexpr std::size_t ParallelRows = 256;
constexpr unsigned MaxThreads = 4;

// Where each input column sits in the rows of one batch, taken from its header row.
class BatchColumns {
public:
    explicit BatchColumns(const std::vector<std::string>& header)
        : width_(header.size()), positions_(inputColumns().size()) {
        const std::vector<InputColumn>& columns = inputColumns();
        for (std::size_t i = 0; i < header.size(); ++i) {
            std::string_view name = header[i];
            // A file saved by some editors starts with a UTF-8 byte order mark.
            if (i == 0 && name.substr(0, 3) == "\xEF\xBB\xBF") {
                name.remove_prefix(3);
            }
            const std::string trimmed(trimBlanks(name));
            const auto column =
                std::find_if(columns.begin(), columns.end(), [&](const InputColumn& c) {
                    return strcasecmp(trimmed.c_str(), c.name) == 0;
                });
            if (column == columns.end()) {
                throw std::runtime_error("unknown column \"" + std::string(name) +
                                         "\" in the header");
            }
            auto& position = positions_[column - columns.begin()];
            if (position) {
                throw std::runtime_error("column \"" + std::string(column->name) +
                                         "\" appears twice in the header");
            }
            position = i;
        }
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].required && !positions_[c]) {
                throw std::runtime_error("the header has no column \"" +
                                         std::string(columns[c].name) + "\"");
            }
        }
    }

    std::size_t width() const { return width_; }

    // The cell of `column`, or the empty text when the batch has no such column.
    std::string_view cell(const std::vector<std::string>& cells, std::size_t column) const {
        const auto& position = positions_[column];
        return position ? std::string_view(cells[*position]) : std::string_view();
    }

    // Fills `gear` from one row; gives the reason when the row cannot be read. An absent column
    // is an input not given; an empty diameter is not typed, so a row that leaves both empty
    // keeps the automatic diameters.
    std::optional<std::string> readRow(const std::vector<std::string>& cells,
                                       TypedGear& gear) const {
        if (cells.size() != width_) {
            return std::to_string(cells.size()) + " fields where the header has " +
                   std::to_string(width_);
        }
        gear = TypedGear{};
        const std::vector<InputColumn>& columns = inputColumns();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string_view text = cell(cells, c);
            // An empty factor is not given: the rack's is used.
            if (columns[c].rack) {
                if (!text.empty()) {
                    gear.rack[*columns[c].rack] = std::string(text);
                }
                continue;
            }
            if (!columns[c].input) {
                const auto reference = parseReference(text);
                if (!reference) {
                    return "ref \"" + std::string(text) + "\" is not Xn, W, M or Sn";
                }
                gear.reference = *reference;
                continue;
            }
            const Input input = *columns[c].input;
            const bool diameter = input == Input::DKG || input == Input::DRG;
            if (positions_[c] && !(diameter && text.empty())) {
                gear[input] = std::string(text);
            }
        }
        return std::nullopt;
    }

private:
    std::size_t width_ = 0;
    std::vector<std::optional<std::size_t>> positions_;
};

// Gives the names of the result columns.
const ConversionResult BlankResult{ConversionInput{}};

void writeHeader(CsvRowWriter& writer, bool inspect) {
    writer.addCell("line");
    for (const InputColumn& column : inputColumns()) {
        writer.addCell(column.name);
    }
    forEachResultText(BlankResult,
                      [&](const std::string& name, const std::string&) { writer.addCell(name); });
    if (inspect) {
        forEachValue(
            [&](const char*, const std::string& path) { writer.addCell("inspection." + path); });
        writer.addCell("inspection.absent");
    }
    writer.endRow();
}

// Turns batch records into output rows. Each thread of a batch has its own.
class RowConverter {
public:
    RowConverter(const BatchColumns& columns, const NumberLocale& locale, bool inspect)
        : columns_(columns), locale_(locale), inspect_(inspect) {}

    // A row that cannot be read is not run: its cells are shown only where they can be told
    // apart by their column, and its message says why.
    void convert(const CsvRecord& record) {
        rows_.addCell(std::to_string(record.line));
        std::optional<std::string> problem = record.malformed
                                                 ? "a quote is misplaced or not closed"
                                                 : columns_.readRow(record.fields, gear_);
        const auto rack = basicRack(gear_, locale_, &RackInput::column);
        if (const auto* rackProblem = std::get_if<std::string>(&rack); rackProblem && !problem) {
            problem = *rackProblem;
        }
        const std::vector<InputColumn>& columns = inputColumns();
        if (problem) {
            const bool aligned = !record.malformed && record.fields.size() == columns_.width();
            for (std::size_t c = 0; c < columns.size(); ++c) {
                rows_.addCell(aligned ? columns_.cell(record.fields, c) : "");
            }
            forEachResultText(BlankResult, [&](const std::string& name, const std::string&) {
                rows_.addCell(name != "message"
                                  ? ""
                                  : "unreadable row at line " + std::to_string(record.line) + ": " +
                                        *problem);
            });
        } else {
            const ConversionInput input = conversionInput(gear_, locale_);
            run_ = runConversion(input);
            // The texts the run read, so that absent columns show the values used; automatic
            // diameters are not typed.
            for (const InputColumn& column : columns) {
                const auto i = column.input;
                rows_.addCell(column.rack ? gear_.rack[*column.rack].value_or("")
                              : !i        ? describe(gear_.reference).name
                              : (i == Input::DKG || i == Input::DRG) && input.automaticDiameters
                                  ? std::string()
                                  : input[*i]);
            }
            forEachResultText(
                *run_, [&](const std::string&, const std::string& text) { rows_.addCell(text); });
        }
        if (inspect_) {
            const auto inspection =
                problem ? std::nullopt : inspectionOf(*run_, std::get<inspection::BasicRack>(rack));
            forEachValue([&](const char*, const std::string& path) {
                rows_.addCell(inspection ? valueText(*inspection, path, locale_, "") : "");
            });
            rows_.addCell(inspection ? absentText(*inspection, "; ") : "");
        }
        rows_.endRow();
    }

    CsvRowWriter& rows() { return rows_; }

private:
    const BatchColumns& columns_;
    const NumberLocale& locale_;
    bool inspect_;
    TypedGear gear_;
    std::optional<ConversionResult> run_;
    CsvRowWriter rows_;
};

// Splits a chunk into consecutive ranges, one per converter, so that the rows of the converters
// written one after another keep the order of the input. The default launch policy converts a
// range when it is waited for if no thread is to be had; waiting passes on an exception.
void convertChunk(std::vector<RowConverter>& converters, const std::vector<CsvRecord>& chunk,
                  std::size_t count) {
    const std::size_t parts = count < ParallelRows ? 1 : converters.size();
    std::vector<std::future<void>> ranges;
    for (std::size_t part = 0; part < parts; ++part) {
        ranges.push_back(std::async([&, part] {
            for (std::size_t i = count * part / parts; i < count * (part + 1) / parts; ++i) {
                converters[part].convert(chunk[i]);
            }
        }));
    }
    for (std::future<void>& range : ranges) {
        range.get();
    }
}

}  // namespace

std::uint64_t runBatch(std::istream& in, std::ostream& out, const NumberLocale& locale,
                       bool inspect, const BatchProgress& progress) {
    CsvRecordReader reader(in);
    CsvRecord header;
    if (!reader.next(header)) {
        throw std::runtime_error("the input is empty: the first row must name the columns");
    }
    if (header.malformed) {
        throw std::runtime_error("a quote is misplaced or not closed in the header");
    }
    const BatchColumns columns(header.fields);
    CsvRowWriter headerRow;
    writeHeader(headerRow, inspect);
    out << headerRow.text();

    std::vector<RowConverter> converters;
    for (unsigned i = std::clamp(std::thread::hardware_concurrency(), 1u, MaxThreads); i > 0; --i) {
        converters.emplace_back(columns, locale, inspect);
    }
    std::vector<CsvRecord> chunk(ChunkRows);
    std::uint64_t rows = 0;
    for (;;) {
        std::size_t count = 0;
        while (count < ChunkRows && reader.next(chunk[count])) {
            ++count;
        }
        if (count == 0) {
            break;
        }
        convertChunk(converters, chunk, count);
        for (RowConverter& converter : converters) {
            out << converter.rows().text();
            converter.rows().clear();
        }
        if (!out) {
            break;  // the caller reports the failed output; converting on would be wasted
        }
        rows += count;
        if (progress) {
            progress(rows, reader.bytesRead());
        }
    }
    return rows;
}

}  // namespace tamrel::cli
