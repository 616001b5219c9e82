#include "cli/batch_row.h"

#include "cli/result_fields.h"

#include <optional>

namespace tamrel::cli {

namespace {

// Where the ARCINV notifier of a batch writes, per thread.
thread_local std::string* arcinvNotes = nullptr;
thread_local long arcinvLine = 0;

}  // namespace

void writeBatchHeader(CsvRowWriter& writer) {
    writer.addCell("line");
    for (const char* name : columnNames()) {
        writer.addCell(name);
    }
    for (Field f : resultFields()) {
        writer.addCell(fieldName(f));
    }
    writer.endRow();
}

void noteArcinvFailure() {
    if (arcinvNotes != nullptr) {
        *arcinvNotes +=
            "line " + std::to_string(arcinvLine) + ": Error occurred in ARCINV function!\n";
    }
}

BatchRowConverter::BatchRowConverter(const BatchColumns& columns, const NumberLocale& locale)
    : columns_(columns), converter_(locale) {}

void BatchRowConverter::convert(const CsvRecord& record) {
    rows_.addCell(std::to_string(record.line));
    std::optional<std::string> problem;
    if (record.malformed) {
        problem = "a quote is misplaced or not closed";
    } else {
        problem = columns_.readRow(record.fields, gear_);
    }
    if (problem) {
        ++counts_.unreadable;
        addUnreadable(record, *problem);
        return;
    }
    addInputCells();
    arcinvNotes = &warnings_;
    arcinvLine = record.line;
    converter_.convert(gear_);
    arcinvNotes = nullptr;
    for (Field f : resultFields()) {
        rows_.addCell(converter_.text(f));
    }
    rows_.endRow();
    if (!converter_.text(Field::Error).empty()) {
        ++counts_.messages;
    }
}

// The texts typed into the window, so that absent columns show the values the run used.
void BatchRowConverter::addInputCells() {
    for (const std::string* text :
         {&gear_.mn, &gear_.pn, &gear_.zg, &gear_.bog, &gear_.zmg, &gear_.dpg}) {
        rows_.addCell(*text);
    }
    rows_.addCell(referenceName(gear_.reference));
    for (const std::string* text :
         {&gear_.value, &gear_.upper, &gear_.lower, &gear_.dkg, &gear_.drg}) {
        rows_.addCell(*text);
    }
}

void BatchRowConverter::addUnreadable(const CsvRecord& record, const std::string& problem) {
    // Cells are shown only where they can be told apart by their column.
    const bool aligned = !record.malformed && record.fields.size() == columns_.width();
    for (std::size_t i = 0; i < ColumnCount; ++i) {
        rows_.addCell(aligned ? columns_.cell(record.fields, static_cast<Column>(i)) : "");
    }
    for (int i = 0; i + 1 < ResultFieldCount; ++i) {
        rows_.addCell("");
    }
    rows_.addCell("unreadable row at line " + std::to_string(record.line) + ": " + problem);
    rows_.endRow();
}

}  // namespace tamrel::cli
