// A CSV batch gives one output row per input row, each as a new window would show it.
#include "cli/batch_columns.h"
#include "cli/batch_run.h"
#include "cli/csv_record_reader.h"
#include "cli/terminal_progress.h"
#include "conversion/compute_run.h"
#include "conversion/field_names.h"
#include "conversion/memory_field_store.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace tamrel::cli {
namespace {

const std::string FullHeader = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower,dkg,drg\n";

// An output row by column name.
using OutputRow = std::map<std::string, std::string>;

struct BatchOutput {
    std::string text;
    std::vector<OutputRow> rows;
    BatchSummary summary;
};

BatchOutput runBatchOn(const std::string& input, const NumberLocale& locale = {},
                       BatchProgress* progress = nullptr) {
    std::istringstream in(input);
    std::ostringstream out;
    BatchOutput output;
    output.summary = runBatch(in, out, locale, progress);
    output.text = out.str();

    std::istringstream written(output.text);
    CsvRecordReader reader(written);
    CsvRecord header;
    CsvRecord row;
    EXPECT_TRUE(reader.next(header));
    while (reader.next(row)) {
        EXPECT_FALSE(row.malformed);
        EXPECT_EQ(row.fields.size(), header.fields.size());
        OutputRow named;
        for (std::size_t i = 0; i < header.fields.size() && i < row.fields.size(); ++i) {
            named[header.fields[i]] = row.fields[i];
        }
        output.rows.push_back(named);
    }
    return output;
}

// A new window after typing the texts of a row given in FullHeader's order, and one run.
MemoryFieldStore windowFor(const std::vector<std::string>& cells, const NumberLocale& locale) {
    const std::map<std::string, Quantity> references{{"Xn", Xn}, {"W", W}, {"M", M}, {"Sn", Sn}};
    MemoryFieldStore window;
    const char* gearFields[] = {field::MN,  field::PN,  field::ZG,
                                field::BOG, field::ZMG, field::DPG};
    for (int i = 0; i < 6; ++i) {
        window.setText(gearFields[i], cells[i]);
    }
    const Quantity reference = references.at(cells[6]);
    window.selectReference(reference);
    window.setText(field::reference(reference), cells[7]);
    window.setText(field::upperTolerance(reference), cells[8]);
    window.setText(field::lowerTolerance(reference), cells[9]);
    if (!cells[10].empty() || !cells[11].empty()) {
        window.setAutoDiameter(false);
        window.setText(field::DKG, cells[10]);
        window.setText(field::DRG, cells[11]);
    }
    ProgramState state;
    runConversion(window, state, locale);
    return window;
}

void expectRowShowsWindow(const OutputRow& row, const MemoryFieldStore& window) {
    for (const auto& [name, text] : window.fields()) {
        if (name != field::MN && name != field::PN && name != field::ZG && name != field::BOG &&
            name != field::ZMG && name != field::DPG) {
            ASSERT_EQ(row.count(name), 1u) << name;
            EXPECT_EQ(row.at(name), text) << name << " at line " << row.at("line");
        }
    }
}

TEST(Batch, MixedRowsGiveOneOutputRowEachWithTheirMessages) {
    const std::string input = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower\n"  // line 1
                              "3.175,20,59,15,8,5.5,W,72.8801,0.04,-0.06\n"
                              "0,20,59,15,8,5.5,W,72.8801,0,0\n"
                              "3.175,20,59,15,8,5.5,Q,72.8801,0,0\n"
                              "3.175,20,59\n"
                              "\n"
                              "\"3,175\",20,59,15,8,5.5,Xn,-0.1445,0,0\n"  // line 7
                              "3.175,20,59,15,8,5.5,Sn,4.6533,\"two\n"
                              "lines, and \"\"quotes\"\"\",0\n"
                              "3.175,2\"0,59,15,8,5.5,W,72.8801,0,0\n"  // line 10
                              "3.175,20,59,15,8,5.5,M,200.7889,0,0\r\n";
    const BatchOutput output = runBatchOn(input);
    ASSERT_EQ(output.rows.size(), 8u);

    const std::vector<std::pair<std::string, std::string>> expected{
        {"2", ""},
        {"3", "ERROR:MN was wrong!"},
        {"4", "unreadable row at line 4: ref \"Q\" is not Xn, W, M or Sn"},
        {"5", "unreadable row at line 5: 3 fields where the header has 10"},
        {"7", "ERROR:MN was wrong!"},
        {"8", "ERROR:S1 was wrong!"},
        {"10", "unreadable row at line 10: a quote is misplaced or not closed"},
        {"11", ""},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(output.rows[i].at("line"), expected[i].first);
        EXPECT_EQ(output.rows[i].at("TextError"), expected[i].second);
    }
    // Quoted cells come back intact, quoted again where they need it.
    EXPECT_EQ(output.rows[4].at("mn"), "3,175");
    EXPECT_EQ(output.rows[5].at("TextS1(3)"), "two\nlines, and \"quotes\"");
    EXPECT_NE(output.text.find("\n7,\"3,175\",20,"), std::string::npos);
    // A row that could not be read shows no result.
    EXPECT_EQ(output.rows[2].at("ref"), "Q");
    EXPECT_EQ(output.rows[3].at("mn"), "");
    EXPECT_EQ(output.rows[2].at("TextSW"), "");

    expectRowShowsWindow(output.rows[0], windowFor({"3.175", "20", "59", "15", "8", "5.5", "W",
                                                    "72.8801", "0.04", "-0.06", "", ""},
                                                   {}));
    EXPECT_EQ(output.summary.rows, 8u);
    EXPECT_EQ(output.summary.messages, 3u);
    EXPECT_EQ(output.summary.unreadable, 3u);
}

TEST(Batch, EveryRowIsRunAsInANewWindow) {
    // Typed diameters, then a failing row with AUTO: it must show a new window's diameters, not
    // those typed one row before; a reference row must not survive into the next gear.
    const std::vector<std::vector<std::string>> rows{
        {"3.175", "20", "59", "15", "8", "5.5", "W", "72.8801", "0", "0", "210", "190"},
        {"3.175", "20", "abc", "15", "8", "5.5", "W", "72.8801", "0", "0", "", ""},
        {"3.175", "20", "59", "15", "8", "5.5", "Xn", "0.2", "0.01", "-0.01", "", ""},
        {"3.175", "20", "-59", "15", "", "5.5", "M", "181", "0", "-0.1", "", ""},
        {"-8", "20", "31", "0", "4", "", "Sn", "5", "0", "-0.05", "", "150"},
        {"3.175", "20", "59", "15", "8", "5.5", "M", "150", "0", "0", "", ""},
    };
    std::string input = FullHeader;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            input += (i == 0 ? "" : ",") + row[i];
        }
        input += "\n";
    }
    const BatchOutput output = runBatchOn(input);
    ASSERT_EQ(output.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        expectRowShowsWindow(output.rows[i], windowFor(rows[i], {}));
    }
    EXPECT_EQ(output.rows[1].at("TextDKG"), MemoryFieldStore().text(field::DKG));
    EXPECT_EQ(output.rows[5].at("TextError"), "Check your DM or DP please!");
}

TEST(Batch, CommaSeparatorNumbersAreReadAndWrittenQuoted) {
    const NumberLocale comma{","};
    const std::vector<std::string> row{"3,175", "20",      "59",   "15", "8", "5,5",
                                       "Xn",    "-0,1445", "0,05", "0",  "",  ""};
    const BatchOutput output = runBatchOn(
        FullHeader + "\"3,175\",20,59,15,8,\"5,5\",Xn,\"-0,1445\",\"0,05\",0,,\n", comma);
    ASSERT_EQ(output.rows.size(), 1u);
    EXPECT_EQ(output.rows[0].at("TextError"), "");
    expectRowShowsWindow(output.rows[0], windowFor(row, comma));
    EXPECT_NE(output.text.find(",\"-0,1445\","), std::string::npos);
}

TEST(Batch, HeaderNamesColumnsInAnyOrderAndRejectsUnusableOnes) {
    const BatchOutput output =
        runBatchOn("\xEF\xBB\xBF Value ,REF,mn,pn,zg,bog,zmg\n72.8801,w,3.175,20,59,15,8\n");
    ASSERT_EQ(output.rows.size(), 1u);
    EXPECT_EQ(output.rows[0].at("TextError"), "");
    EXPECT_EQ(output.rows[0].at("upper"), "0");
    EXPECT_EQ(output.rows[0].at("TextS(1)"), "72.8801");

    for (const char* header : {"", "\n\n", "mn,pn,zg,bog,ref\n", "mn,pn,zg,bog,ref,value,MN\n",
                               "mn,pn,zg,bog,ref,value,teeth\n", "mn,pn,zg,bog,ref,\"value\n"}) {
        std::istringstream in(header);
        std::ostringstream out;
        EXPECT_THROW(runBatch(in, out, {}), HeaderError) << header;
        EXPECT_EQ(out.str(), "");
    }
}

// Remembers every report.
class RecordedProgress : public BatchProgress {
public:
    void rowsDone(std::uint64_t rows, std::uint64_t) override { reports.push_back(rows); }
    void finished(std::uint64_t rows) override { finalRows = rows; }
    std::vector<std::uint64_t> reports;
    std::uint64_t finalRows = 0;
};

TEST(Batch, LongBatchKeepsTheInputOrderAndReportsProgress) {
    const std::vector<std::vector<std::string>> kinds{
        {"3.175", "20", "59", "15", "8", "5.5", "W", "72.8801", "0.05", "-0.05", "", ""},
        {"3.175", "20", "-59", "-10", "8", "5.5", "Xn", "-0.1445", "0", "0", "", ""},
        {"2", "20", "31", "0", "4", "3.5", "M", "67.5", "0.02", "-0.03", "", ""},
        {"1.5", "14.5", "abc", "0", "", "", "Sn", "2.3", "0", "0", "", ""},
        {"5", "25", "120", "30", "13", "9", "Sn", "7.9", "0", "-0.1", "700", "600"},
    };
    const std::size_t rowCount = 5003;
    std::string input = FullHeader;
    for (std::size_t i = 0; i < rowCount; ++i) {
        const auto& row = kinds[i % kinds.size()];
        for (std::size_t c = 0; c < row.size(); ++c) {
            input += (c == 0 ? "" : ",") + row[c];
        }
        input += "\n";
    }
    RecordedProgress progress;
    const BatchOutput output = runBatchOn(input, {}, &progress);
    ASSERT_EQ(output.rows.size(), rowCount);

    std::vector<MemoryFieldStore> windows;
    for (const auto& kind : kinds) {
        windows.push_back(windowFor(kind, {}));
    }
    for (std::size_t i = 0; i < rowCount; ++i) {
        ASSERT_EQ(output.rows[i].at("line"), std::to_string(i + 2));
        expectRowShowsWindow(output.rows[i], windows[i % kinds.size()]);
    }
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_TRUE(std::is_sorted(progress.reports.begin(), progress.reports.end()));
    EXPECT_EQ(progress.finalRows, rowCount);
}

TEST(TerminalProgress, StaysQuietForShortBatchesAndEndsItsLine) {
    std::ostringstream quiet;
    TerminalProgress shortBatch(quiet, 1000);
    shortBatch.rowsDone(TerminalProgress::QuietRows, 500);
    shortBatch.finished(TerminalProgress::QuietRows);
    EXPECT_EQ(quiet.str(), "");

    std::ostringstream shown;
    TerminalProgress longBatch(shown, 1000);
    longBatch.rowsDone(6000, 250);
    EXPECT_NE(shown.str().find("6000 rows (25%)"), std::string::npos) << shown.str();
    longBatch.finished(24000);
    EXPECT_NE(shown.str().find("24000 rows converted"), std::string::npos);
    EXPECT_EQ(shown.str().back(), '\n');
}

}  // namespace
}  // namespace tamrel::cli
