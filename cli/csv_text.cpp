#include "cli/csv_text.h"

#include <csv.h>

#include <new>
#include <stdexcept>
#include <utility>

namespace tamrel::cli {

namespace {

// Strict: a quote inside an unquoted field or text after a closing quote is an error, and so is a
// quoted field still open at the end of the input.
constexpr unsigned char ParserOptions = CSV_STRICT | CSV_STRICT_FINI;

void onField(void* text, std::size_t size, void* reader) {
    static_cast<CsvRecordReader*>(reader)->addField(static_cast<const char*>(text), size);
}

void onRecordEnd(int /*terminator*/, void* reader) {
    static_cast<CsvRecordReader*>(reader)->endRecord();
}

// Most cells are short numbers that need nothing; a reader trims blanks around unquoted fields.
bool needsQuotes(std::string_view cell) {
    constexpr std::string_view Blanks = " \t";
    return !cell.empty() &&
           (Blanks.find(cell.front()) != Blanks.npos || Blanks.find(cell.back()) != Blanks.npos ||
            cell.find_first_of(",\"\r\n") != cell.npos);
}

}  // namespace

CsvRecordReader::CsvRecordReader(std::istream& in) : in_(in), parser_(new csv_parser) {
    if (csv_init(parser_, ParserOptions) != 0) {
        delete parser_;
        throw std::bad_alloc();
    }
}

CsvRecordReader::~CsvRecordReader() {
    csv_free(parser_);
    delete parser_;
}

bool CsvRecordReader::next(CsvRecord& record) {
    while (handedOut_ == completedCount_) {
        completedCount_ = 0;
        handedOut_ = 0;
        if (atEnd_ || !feedNextLine()) {
            return false;
        }
    }
    // Swapping hands the filled buffers out and takes the caller's old ones back for reuse.
    std::swap(record, completed_[handedOut_++]);
    return true;
}

void CsvRecordReader::addField(const char* text, std::size_t size) {
    if (text == nullptr) {
        building_.fields.emplace_back();
    } else {
        building_.fields.emplace_back(text, size);
    }
}

void CsvRecordReader::endRecord() {
    if (completedCount_ == completed_.size()) {
        completed_.emplace_back();
    }
    CsvRecord& done = completed_[completedCount_++];
    std::swap(done.fields, building_.fields);
    done.line = recordLine_;
    done.malformed = false;
    building_.fields.clear();
    recordOpen_ = false;
}

// Feeds one line to the parser; false when the input is exhausted and the last record flushed.
bool CsvRecordReader::feedNextLine() {
    if (!std::getline(in_, line_)) {
        if (in_.bad()) {
            throw std::runtime_error("the input could not be read");
        }
        atEnd_ = true;
        if (csv_fini(parser_, onField, onRecordEnd, this) != 0) {
            reportMalformed();
        }
        return completedCount_ > 0;
    }
    ++lineNumber_;
    bytesRead_ += line_.size() + 1;
    if (!recordOpen_ && line_.find_first_not_of(" \t\r\n") != std::string::npos) {
        recordOpen_ = true;
        recordLine_ = lineNumber_;
    }
    line_.push_back('\n');
    if (csv_parse(parser_, line_.data(), line_.size(), onField, onRecordEnd, this) !=
        line_.size()) {
        if (csv_error(parser_) == CSV_ENOMEM || csv_error(parser_) == CSV_ETOOBIG) {
            throw std::runtime_error("a CSV field is too large");
        }
        reportMalformed();
        csv_free(parser_);
        if (csv_init(parser_, ParserOptions) != 0) {
            throw std::bad_alloc();
        }
    }
    return true;
}

void CsvRecordReader::reportMalformed() {
    endRecord();
    completed_[completedCount_ - 1].malformed = true;
}

void CsvRowWriter::addCell(std::string_view cell) {
    if (rowStarted_) {
        text_.push_back(',');
    }
    rowStarted_ = true;
    if (!needsQuotes(cell)) {
        text_.append(cell);
        return;
    }
    const std::size_t start = text_.size();
    const std::size_t quotedSize = csv_write(nullptr, 0, cell.data(), cell.size());
    text_.resize(start + quotedSize);
    csv_write(text_.data() + start, quotedSize, cell.data(), cell.size());
}

void CsvRowWriter::endRow() {
    text_.push_back('\n');
    rowStarted_ = false;
}

}  // namespace tamrel::cli
