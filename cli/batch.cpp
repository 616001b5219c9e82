#include "cli/batch.h"

#include "cli/csv_text.h"
#include "cli/gear_report.h"
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

// The input columns of a batch, named like the command-line options, and the text of the gear each
// fills ("ref" fills the quantity).
enum Column { Mn, Pn, Zg, Bog, Zmg, Dpg, Ref, Value, Upper, Lower, Dkg, Drg, ColumnCount };
constexpr std::array<const char*, ColumnCount> ColumnNames{
    "mn", "pn", "zg", "bog", "zmg", "dpg", "ref", "value", "upper", "lower", "dkg", "drg"};
constexpr std::array<std::string GearInput::*, ColumnCount> ColumnTexts{
    &GearInput::mn,    &GearInput::pn,    &GearInput::zg,  &GearInput::bog,
    &GearInput::zmg,   &GearInput::dpg,   nullptr,         &GearInput::value,
    &GearInput::upper, &GearInput::lower, &GearInput::dkg, &GearInput::drg};
constexpr std::array<Column, 6> RequiredColumns{Mn, Pn, Zg, Bog, Ref, Value};

constexpr std::size_t ChunkRows = 2048;
// Below this a chunk is not worth a thread.
constexpr std::size_t ParallelRows = 256;
constexpr unsigned MaxThreads = 4;

// Where each input column sits in the rows of one batch, taken from its header row.
class BatchColumns {
public:
    explicit BatchColumns(const std::vector<std::string>& header) : width_(header.size()) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            std::string_view name = header[i];
            // A file saved by some editors starts with a UTF-8 byte order mark.
            if (i == 0 && name.substr(0, 3) == "\xEF\xBB\xBF") {
                name.remove_prefix(3);
            }
            const std::string trimmed(trimBlanks(name));
            const auto column =
                std::find_if(ColumnNames.begin(), ColumnNames.end(),
                             [&](const char* c) { return strcasecmp(trimmed.c_str(), c) == 0; });
            if (column == ColumnNames.end()) {
                throw std::runtime_error("unknown column \"" + std::string(name) +
                                         "\" in the header");
            }
            auto& position = positions_[column - ColumnNames.begin()];
            if (position) {
                throw std::runtime_error("column \"" + std::string(*column) +
                                         "\" appears twice in the header");
            }
            position = i;
        }
        for (Column required : RequiredColumns) {
            if (!positions_[required]) {
                throw std::runtime_error("the header has no column \"" +
                                         std::string(ColumnNames[required]) + "\"");
            }
        }
    }

    std::size_t width() const { return width_; }

    // The cell of `column`, or the empty text when the batch has no such column.
    std::string_view cell(const std::vector<std::string>& cells, std::size_t column) const {
        const auto& position = positions_[column];
        return position ? std::string_view(cells[*position]) : std::string_view();
    }

    // Fills `gear` from one row; gives the reason when the row cannot be read.
    std::optional<std::string> readRow(const std::vector<std::string>& cells,
                                       GearInput& gear) const {
        if (cells.size() != width_) {
            return std::to_string(cells.size()) + " fields where the header has " +
                   std::to_string(width_);
        }
        const auto reference = parseReference(cell(cells, Ref));
        if (!reference) {
            return "ref \"" + std::string(cell(cells, Ref)) + "\" is not Xn, W, M or Sn";
        }
        gear.reference = *reference;
        for (std::size_t c = 0; c < ColumnCount; ++c) {
            if (ColumnTexts[c]) {
                gear.*ColumnTexts[c] = cell(cells, c);
            }
        }
        // Without tolerance columns the tolerances are 0, as in a new window.
        for (Column tolerance : {Upper, Lower}) {
            if (!positions_[tolerance]) {
                gear.*ColumnTexts[tolerance] = "0";
            }
        }
        // Typed diameters switch AUTO off; a row that leaves both empty keeps it on.
        gear.autoDiameter = gear.dkg.empty() && gear.drg.empty();
        return std::nullopt;
    }

private:
    std::size_t width_ = 0;
    std::array<std::optional<std::size_t>, ColumnCount> positions_{};
};

void writeHeader(CsvRowWriter& writer, bool inspect) {
    writer.addCell("line");
    for (const char* name : ColumnNames) {
        writer.addCell(name);
    }
    for (Field f : ResultFields) {
        writer.addCell(fieldName(f));
    }
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
        : columns_(columns), locale_(locale), inspect_(inspect), converter_(locale) {}

    // A row that cannot be read is not run: its cells are shown only where they can be told
    // apart by their column, and TextError says why.
    void convert(const CsvRecord& record) {
        rows_.addCell(std::to_string(record.line));
        const std::optional<std::string> problem = record.malformed
                                                       ? "a quote is misplaced or not closed"
                                                       : columns_.readRow(record.fields, gear_);
        if (problem) {
            const bool aligned = !record.malformed && record.fields.size() == columns_.width();
            for (std::size_t c = 0; c < ColumnCount; ++c) {
                rows_.addCell(aligned ? columns_.cell(record.fields, c) : "");
            }
        } else {
            converter_.convert(gear_);
            // The texts typed into the window, so that absent columns show the values used.
            for (std::size_t c = 0; c < ColumnCount; ++c) {
                rows_.addCell(ColumnTexts[c] ? gear_.*ColumnTexts[c]
                                             : ReferenceNames[gear_.reference]);
            }
        }
        for (Field f : ResultFields) {
            rows_.addCell(!problem            ? converter_.text(f)
                          : f == Field::Error ? "unreadable row at line " +
                                                    std::to_string(record.line) + ": " + *problem
                                              : "");
        }
        if (inspect_) {
            const auto inspection = problem ? std::nullopt : converter_.inspection();
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
    GearConverter converter_;
    GearInput gear_;
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
