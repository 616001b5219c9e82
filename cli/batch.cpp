#include "cli/batch.h"

#include "cli/csv_text.h"
#include "cli/gear_report.h"
#include "conversion/numeric_text.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace tamrel::cli {

namespace {

// The input columns of a batch, named like the command-line options.
enum Column { Mn, Pn, Zg, Bog, Zmg, Dpg, Ref, Value, Upper, Lower, Dkg, Drg, ColumnCount };
constexpr std::array<const char*, ColumnCount> ColumnNames{
    "mn", "pn", "zg", "bog", "zmg", "dpg", "ref", "value", "upper", "lower", "dkg", "drg"};
constexpr std::array<Column, 6> RequiredColumns{Mn, Pn, Zg, Bog, Ref, Value};

constexpr std::size_t ChunkRows = 2048;
// Below this a chunk is not worth a thread.
constexpr std::size_t ParallelRows = 256;
constexpr unsigned MaxThreads = 4;

std::optional<Column> columnNamed(std::string_view name) {
    const std::string trimmed(trimBlanks(name));
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        if (strcasecmp(trimmed.c_str(), ColumnNames[i]) == 0) {
            return static_cast<Column>(i);
        }
    }
    return std::nullopt;
}

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
            const auto column = columnNamed(name);
            if (!column) {
                throw HeaderError("unknown column \"" + std::string(name) + "\" in the header");
            }
            if (positions_[*column]) {
                throw HeaderError("column \"" + std::string(ColumnNames[*column]) +
                                  "\" appears twice in the header");
            }
            positions_[*column] = i;
        }
        for (Column required : RequiredColumns) {
            if (!positions_[required]) {
                throw HeaderError("the header has no column \"" +
                                  std::string(ColumnNames[required]) + "\"");
            }
        }
    }

    std::size_t width() const { return width_; }

    // The cell of `column`, or the empty text when the batch has no such column.
    std::string_view cell(const std::vector<std::string>& cells, Column column) const {
        const auto& position = positions_[column];
        return position && *position < cells.size() ? std::string_view(cells[*position])
                                                    : std::string_view();
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
        gear.mn = cell(cells, Mn);
        gear.pn = cell(cells, Pn);
        gear.zg = cell(cells, Zg);
        gear.bog = cell(cells, Bog);
        gear.zmg = cell(cells, Zmg);
        gear.dpg = cell(cells, Dpg);
        gear.value = cell(cells, Value);
        // Without tolerance columns the tolerances are 0, as in a new window.
        gear.upper = positions_[Upper] ? cell(cells, Upper) : "0";
        gear.lower = positions_[Lower] ? cell(cells, Lower) : "0";
        gear.dkg = cell(cells, Dkg);
        gear.drg = cell(cells, Drg);
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
    for (Field f : allFields()) {
        if (isResultField(f)) {
            writer.addCell(fieldName(f));
        }
    }
    for (const std::string& path : inspect ? inspectionPaths() : std::vector<std::string>{}) {
        writer.addCell("inspection." + path);
    }
    writer.endRow();
}

// Turns batch records into output rows. Each thread of a batch has its own.
class RowConverter {
public:
    RowConverter(const BatchColumns& columns, const NumberLocale& locale, bool inspect)
        : columns_(columns), locale_(locale), inspect_(inspect), converter_(locale) {}

    void convert(const CsvRecord& record) {
        rows_.addCell(std::to_string(record.line));
        const std::optional<std::string> problem = record.malformed
                                                       ? "a quote is misplaced or not closed"
                                                       : columns_.readRow(record.fields, gear_);
        if (problem) {
            addUnreadable(record, *problem);
            return;
        }
        converter_.convert(gear_);
        // The texts typed into the window, so that absent columns show the values the run used.
        for (const std::string* text :
             {&gear_.mn, &gear_.pn, &gear_.zg, &gear_.bog, &gear_.zmg, &gear_.dpg}) {
            rows_.addCell(*text);
        }
        rows_.addCell(referenceName(gear_.reference));
        for (const std::string* text :
             {&gear_.value, &gear_.upper, &gear_.lower, &gear_.dkg, &gear_.drg}) {
            rows_.addCell(*text);
        }
        for (Field f : allFields()) {
            if (isResultField(f)) {
                rows_.addCell(converter_.text(f));
            }
        }
        if (inspect_) {
            const auto inspection = converter_.inspection();
            for (const std::string& path : inspectionPaths()) {
                rows_.addCell(inspection ? inspectionText(*inspection, path, locale_, "") : "");
            }
        }
        rows_.endRow();
    }

    CsvRowWriter& rows() { return rows_; }

private:
    void addUnreadable(const CsvRecord& record, const std::string& problem) {
        // Cells are shown only where they can be told apart by their column.
        const bool aligned = !record.malformed && record.fields.size() == columns_.width();
        for (std::size_t i = 0; i < ColumnCount; ++i) {
            rows_.addCell(aligned ? columns_.cell(record.fields, static_cast<Column>(i)) : "");
        }
        for (Field f : allFields()) {
            if (isResultField(f) && f != Field::Error) {
                rows_.addCell("");
            }
        }
        rows_.addCell("unreadable row at line " + std::to_string(record.line) + ": " + problem);
        for (std::size_t i = 0; inspect_ && i < inspectionPaths().size(); ++i) {
            rows_.addCell("");
        }
        rows_.endRow();
    }

    const BatchColumns& columns_;
    const NumberLocale& locale_;
    bool inspect_;
    GearConverter converter_;
    GearInput gear_;
    CsvRowWriter rows_;
};

// Converts the records [begin, end) of a chunk; an exception is kept for the caller.
void convertRange(RowConverter& converter, const std::vector<CsvRecord>& chunk, std::size_t begin,
                  std::size_t end, std::exception_ptr& failure) {
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
void convertChunk(std::vector<RowConverter>& converters, const std::vector<CsvRecord>& chunk,
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

}  // namespace

std::uint64_t runBatch(std::istream& in, std::ostream& out, const NumberLocale& locale,
                       bool inspect, const BatchProgress& progress) {
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
