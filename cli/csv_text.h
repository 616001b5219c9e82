#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

namespace tamrel::cli {

// One CSV record and the line of the input on which it starts (1 for the first line).
struct CsvRecord {
    long line = 0;
    std::vector<std::string> fields;
    // The record breaks the quoting rules; `fields` then holds only what was read before the fault.
    bool malformed = false;
};

// Reads CSV records (RFC 4180: quoted fields may hold commas, quotes and line breaks) line by line
// from a stream. Blank lines hold no record. After a malformed record, reading goes on with the
// next line. Buffers are reused from record to record.
class CsvRecordReader {
public:
    explicit CsvRecordReader(std::istream& in);
    ~CsvRecordReader();
    CsvRecordReader(const CsvRecordReader&) = delete;
    CsvRecordReader& operator=(const CsvRecordReader&) = delete;

    // Fills `record` with the next record; false at the end of the input. Throws
    // std::runtime_error when the stream fails or the parser runs out of memory.
    bool next(CsvRecord& record);

    // Bytes consumed so far, for progress reports.
    std::uint64_t bytesRead() const { return bytesRead_; }

    // Parser callbacks; public only so that the C callbacks can reach them.
    void addField(const char* text, std::size_t size);
    void endRecord();

private:
    bool feedNextLine();
    void reportMalformed();

    std::istream& in_;
    csv_parser* parser_;
    std::string line_;
    long lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
    bool atEnd_ = false;
    // A record has begun and not yet ended, and the line on which it began.
    bool recordOpen_ = false;
    long recordLine_ = 0;
    CsvRecord building_;
    // Records completed by the last line fed, handed out in order.
    std::vector<CsvRecord> completed_;
    std::size_t completedCount_ = 0;
    std::size_t handedOut_ = 0;
};

// Builds CSV text row by row: a cell that holds a comma, a quote, a line break or blanks at
// either end is quoted (by libcsv), every other cell is written as it is. Rows collect in one
// buffer until it is taken.
class CsvRowWriter {
public:
    void addCell(std::string_view cell);
    // Ends the row with a line feed.
    void endRow();

    const std::string& text() const { return text_; }
    // Empties the buffer and keeps its memory.
    void clear() { text_.clear(); }

private:
    std::string text_;
    bool rowStarted_ = false;
};

}  // namespace tamrel::cli
