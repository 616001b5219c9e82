#pragma once

#include "cli/batch_columns.h"
#include "cli/batch_run.h"
#include "cli/csv_record_reader.h"
#include "cli/csv_row_writer.h"
#include "cli/gear_converter.h"

#include <string>

namespace tamrel::cli {

// The header of a batch's output: "line", the input columns, then every result field.
void writeBatchHeader(CsvRowWriter& writer);

// The ARCINV notifier of a batch: notes the failure against the row this thread is converting.
void noteArcinvFailure();

// Turns batch records into output rows. Each thread of a batch has its own.
class BatchRowConverter {
public:
    BatchRowConverter(const BatchColumns& columns, const NumberLocale& locale);

    // Runs one record, or explains in its TextError cell why it cannot, and appends its row.
    void convert(const CsvRecord& record);

    CsvRowWriter& rows() { return rows_; }
    // Notes of the geometry about the rows converted, one per line.
    std::string& warnings() { return warnings_; }
    // Counts of the rows converted so far; rows itself is counted by the caller.
    const BatchSummary& counts() const { return counts_; }

private:
    void addInputCells();
    void addUnreadable(const CsvRecord& record, const std::string& problem);

    const BatchColumns& columns_;
    GearConverter converter_;
    GearInput gear_;
    CsvRowWriter rows_;
    std::string warnings_;
    BatchSummary counts_;
};

}  // namespace tamrel::cli
