// The command line shows the very texts an in-memory window holds after the same compute run, one
// gear as JSON or as a grid and a CSV batch row by row, and exits with a status that fits.
#include "cli/csv_text.h"
#include "cli/progress.h"
#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "inspection/run_inspection.h"
#include "run_program.h"
#include "tamrel_version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <tuple>

namespace tamrel {
namespace {

using testing::runProgram;
using Cells = std::vector<std::string>;
using Texts = std::map<std::string, std::string>;

const std::string Cli = TAMREL_CLI_PATH;
// A gear's texts come in the order of the batch columns; the options bear the same names.
const std::string Columns[] = {"mn",  "pn",    "zg",    "bog",   "zmg", "dpg",
                               "ref", "value", "upper", "lower", "dkg", "drg"};
const Field GearFields[] = {Field::MN, Field::PN, Field::ZG, Field::BOG, Field::ZMG, Field::DPG};
const char* const Names[] = {"Xn", "W", "M", "Sn"};

// The cells of a gear and the message its run ends with.
const std::pair<std::string, std::string> Gears[] = {
    {"3.175,20,59,15,8,5.5,Xn,-0.1445,0.05,-0.03,,", ""},
    {"3.175,20,59,15,8,5.5,W,72.8801,0.04,-0.06,,", ""},
    {"3.175,20,59,15,8,5.5,M,200.7889,0.1,-0.2,,", ""},
    {"3.175,20,59,15,8,5.5,Sn,4.6533,0,-0.08,,", ""},
    // Typed diameters, then a failing run with AUTO: that shows a new window's diameters.
    {"3.175,20,59,15,,,Xn,-0.1445,0,0,210,190.5", ""},
    {"3.175,20,abc,15,8,5.5,W,72.8801,0,0,,", "ERROR:ZG was wrong!"},
    {"3.175,20,59,15,8,5.5,M,150,0,0,,", "Check your DM or DP please!"},
    {"3.175,20,-59,15,,5.5,M,181,0,-0.1,,", ""},
    {"-8,20,31,0,4,,Sn,5,0,-0.05,,150", ""},
};

Cells cellsOf(const std::string& gear) {
    Cells cells;
    std::istringstream in(gear + ',');
    for (std::string cell; std::getline(in, cell, ',');) {
        cells.push_back(cell);
    }
    return cells;
}

// A new window after a compute run of the gear.
MemoryFieldStore runWindow(const Cells& c) {
    MemoryFieldStore window;
    const auto q = static_cast<Quantity>(std::find(Names, Names + QuantityCount, c[6]) - Names);
    window.selectReference(q);
    window.setAutoDiameter(c[10].empty() && c[11].empty());
    const Field row[] = {reference(q), upperTolerance(q), lowerTolerance(q), Field::DKG,
                         Field::DRG};
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (i < 6 || (i > 6 && (i < 10 || !window.isAutoDiameterChecked()))) {
            window.setText(i < 6 ? GearFields[i] : row[i - 7], c[i]);
        }
    }
    ProgramState state;
    runConversion(window, state, {});
    return window;
}

// The texts of every field but the typed gear data after a compute run in a new window.
Texts windowAfter(const Cells& c) {
    const MemoryFieldStore window = runWindow(c);
    Texts texts;
    for (Field f : allFields()) {
        texts[fieldName(f)] = window.textOf(f);
    }
    for (Field input : GearFields) {
        texts.erase(fieldName(input));
    }
    return texts;
}

Cells words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::string gridOf(Texts w) {
    std::string grid = "Thickness Reference + - MID MAX MIN\n";
    for (Quantity q : Quantities) {
        for (Field f : {reference(q), upperTolerance(q), lowerTolerance(q), middle(q), maximum(q),
                        minimum(q)}) {
            grid += (f == reference(q) ? Names[q] : "") + (' ' + w[fieldName(f)]);
        }
        grid += '\n';
    }
    return grid + "DKG " + w["TextDKG"] + "\nDRG " + w["TextDRG"] + "\nMessage " + w["TextError"];
}

TEST(CliResults, JsonGridAndBatchShowTheWindowAfterTheSameRun) {
    std::string input = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower,dkg,drg\n";
    // Batch records that cannot be read or need quotes, a blank line and a CRLF among them.
    std::vector<std::pair<std::string, Texts>> records{
        {"3.175,20,59,15,8,5.5,Q,72.8801,0,0,,\n",
         {{"TextError", "unreadable row at line 2: ref \"Q\" is not Xn, W, M or Sn"}}},
        {"3.175,20,59\n\n",
         {{"TextError", "unreadable row at line 3: 3 fields where the header has 12"}}},
        {"3.175,2\"0,59,15,8,5.5,W,72.8801,0,0,,\r\n",
         {{"TextError", "unreadable row at line 5: a quote is misplaced or not closed"}}},
        {"\"3,175\",20,59,15,8,5.5,Sn,4.6533,\"two\nlines, \"\"quoted\"\"\",0,,\n",
         {{"upper", "two\nlines, \"quoted\""}, {"TextError", "ERROR:MN was wrong!"}}},
    };
    std::vector<std::pair<std::string, Texts>> gears;
    for (std::size_t g = 0; g < std::size(Gears); ++g) {
        SCOPED_TRACE(Gears[g].first);
        const Cells cells = cellsOf(Gears[g].first);
        const Texts window = windowAfter(cells);
        EXPECT_EQ(window.at("TextError"), Gears[g].second);
        // Options for the cells not empty: "--mn=3.175" for every other gear, else "--mn" "3.175".
        Cells args;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Cells option = g % 2 ? Cells{"--" + Columns[i] + "=" + cells[i]}
                                       : Cells{"--" + Columns[i], cells[i]};
            args.insert(args.end(), option.begin(),
                        cells[i].empty() ? option.begin() : option.end());
        }
        const auto grid = runProgram(Cli, args);
        EXPECT_EQ(grid.exitCode, 0) << grid.err;
        EXPECT_EQ(words(grid.out), words(gridOf(window)));
        args.push_back("--json");
        const auto json = runProgram(Cli, args);
        ASSERT_EQ(json.exitCode, 0) << json.err;
        EXPECT_EQ(json.err, "");
        EXPECT_EQ(nlohmann::json::parse(json.out).get<Texts>(), window);

        gears.emplace_back(Gears[g].first + '\n', window);
    }
    // Enough gears for several blocks, each shared among threads.
    for (int copy = 0; copy < 300; ++copy) {
        records.insert(records.end(), gears.begin(), gears.end());
    }
    for (std::size_t r = 0, line = 2; r < records.size(); ++r) {
        records[r].second["line"] = std::to_string(line);
        input += records[r].first;
        line += std::count(records[r].first.begin(), records[r].first.end(), '\n');
    }
    const auto result = runProgram(Cli, {"--csv", "-"}, input);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");  // no terminal: no progress
    std::istringstream out(result.out);
    cli::CsvRecordReader reader(out);
    cli::CsvRecord header, record;
    ASSERT_TRUE(reader.next(header));
    for (const auto& [text, expected] : records) {
        ASSERT_TRUE(reader.next(record));
        Texts shown;
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            if (expected.count(header.fields[i]) != 0) {
                shown[header.fields[i]] = record.fields.at(i);
            }
        }
        ASSERT_EQ(shown, expected) << text;
    }
    EXPECT_FALSE(reader.next(record));
}

TEST(CliResults, LocaleDecimalSeparatorReadsAndWritesNumbers) {
    // Builds a German locale of its own, so the test needs no locale installed on the system.
    const auto locales = testing::temporaryDirectory();
    const Cells build{"-i", "de_DE", "-f", "UTF-8", *locales + "/de_DE.UTF-8"};
    if (runProgram("/usr/bin/localedef", build).exitCode != 0) {
        GTEST_SKIP() << "localedef cannot build de_DE.UTF-8";
    }
    const Cells args{"--mn=3,175",   "--pn=20",  "--zg=59",
                     "--bog=15",     "--ref=Xn", "--value=-0,1445",
                     "--upper=0,05", "--json",   "--locale=de_DE.UTF-8"};
    const auto result = runProgram(Cli, args, {}, {"LOCPATH=" + *locales});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\"TextSXn1\": \"-0,0945\""), std::string::npos) << result.out;
}

TEST(CliUsage, ExitStatusAndMessageFitTheArgumentsAndInput) {
    const auto gear = [](Cells more) {
        more.insert(more.begin(), {"--mn", "3.175", "--pn", "20", "--zg", "59", "--bog", "15",
                                   "--ref", "W", "--value", "72.8801"});
        return more;
    };
    const Cells batch{"--csv", "-"};
    // Arguments, exit status, part of the output (status 0) or of the error (2), the input.
    const std::tuple<Cells, int, std::string, std::string> invocations[] = {
        {{"--help"}, 0, "--inspect", ""},
        {{"--version"}, 0, "tamrel-cli " TAMREL_VERSION, ""},
        {gear({"--upper", "\3770", "--json"}), 0, "\"TextS1(1)\": \"\357\277\2750\"", ""},
        // Values that look like options or are empty are texts of their fields.
        {gear({"--upper", "--json", "--lower=", "--json"}), 0, "\"TextS1(1)\": \"--json\"", ""},
        // Header names in any order and case, with blanks and a byte order mark.
        {batch, 0, "\n2,3.175,20,59,15,8,,W,72.8801,0,0,,,-0.144480037508883,",
         "\xEF\xBB\xBF Value ,REF,mn,pn,zg,bog,zmg\n72.8801,w,3.175,20,59,15,8\n"},
        {{}, 2, "--mn is required", ""},
        {gear({"--colour", "red"}), 2, "--colour", ""},
        {gear({"stray"}), 2, "stray", ""},
        {gear({"--lower"}), 2, "--lower", ""},
        {gear({"--mn", "3"}), 2, "--mn", ""},
        {gear({"--json", "--json"}), 2, "--json", ""},
        {gear({"--json=yes"}), 2, "json", ""},
        {gear({"--auto", "--dkg", "200"}), 2, "--auto cannot be combined with --dkg or --drg", ""},
        {{"--mn", "3", "--ref", "X"}, 2, "--ref takes Xn, W, M or Sn, not \"X\"", ""},
        {{"--pn", "20"}, 2, "--mn is required", ""},
        {gear({"--locale", "xx_NOWHERE"}), 2, "unknown locale \"xx_NOWHERE\"", ""},
        {{"--csv", "-", "--mn", "3"}, 2, "--mn cannot be combined with --csv", ""},
        {{"--csv", "/nowhere/missing.csv"}, 2, "missing.csv: No such file or directory", ""},
        {{"--csv", "/"}, 2, "/: is a directory", ""},
        {batch, 2, "the input is empty", "\n\n"},
        {batch, 2, "unknown column \"teeth\"", "mn,pn,zg,teeth\n"},
        {batch, 2, "column \"mn\" appears twice", "mn,pn,zg,bog,ref,value,MN\n"},
        {batch, 2, "the header has no column \"value\"", "mn,pn,zg,bog,ref\n"},
        {batch, 2, "a quote is misplaced", "mn,pn,zg,bog,ref,\"value\n"},
    };
    for (const auto& [args, exitCode, shown, input] : invocations) {
        const auto result = runProgram(Cli, args, input);
        EXPECT_EQ(result.exitCode, exitCode) << shown;
        EXPECT_NE((exitCode == 0 ? result.out : result.err).find(shown), std::string::npos)
            << result.out << result.err;
        // A usage error writes nothing but its reason and a hint.
        EXPECT_TRUE(exitCode == 0 ||
                    (result.out.empty() && result.err.find("--help") != std::string::npos))
            << result.out;
    }
}

TEST(CliUsage, OutputThatCannotBeWrittenIsAFailure) {
    const auto result = runProgram("/bin/sh", {"-c", "exec \"$0\" --csv - >/dev/full", Cli},
                                   "mn,pn,zg,bog,ref,value\n3.175,20,59,15,Xn,0\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("the output could not be written"), std::string::npos);
}

TEST(CliResults, GridAlignsEveryColumnToItsWidestCell) {
    const auto result =
        runProgram(Cli, {"--mn", "3.175", "--pn", "20", "--zg", "59", "--bog", "15", "--zmg", "8",
                         "--dpg", "5.5", "--ref", "M", "--value", "150"});
    EXPECT_EQ(result.out, "Thickness  Reference                    +    -    MID  MAX  MIN\n"
                          "Xn         ---                          ---  ---  ---  ---  ---\n"
                          "W          ---                          ---  ---  ---  ---  ---\n"
                          "M          150                          0    0    ---  ---  ---\n"
                          "Sn         ---                          ---  ---  ---  ---  ---\n"
                          "DKG        200.2831\n"
                          "DRG        185.9956\n"
                          "Message    Check your DM or DP please!\n");
}

TEST(CliProgress, ShownForLongBatchesWithThePartOfAKnownInputRead) {
    // Rows, bytes read, input size, the line or nothing.
    const std::tuple<std::uint64_t, std::uint64_t, std::uint64_t, std::optional<std::string>>
        cases[] = {
            {cli::QuietRows, 500, 1000, std::nullopt},
            {cli::QuietRows + 1, 500, 1000, "\rtamrel-cli: 5001 rows (50%)\x1b[K"},
            {9000, 999, 1000, "\rtamrel-cli: 9000 rows (99%)\x1b[K"},
            {9000, 1000, 1000, "\rtamrel-cli: 9000 rows (100%)\x1b[K"},
            {9000, 1001, 1000, "\rtamrel-cli: 9000 rows\x1b[K"},  // the file grew
            {9000, 500, 0, "\rtamrel-cli: 9000 rows\x1b[K"},      // a pipe
        };
    for (const auto& [rows, bytesRead, inputBytes, line] : cases) {
        EXPECT_EQ(cli::progressLine(rows, bytesRead, inputBytes), line) << rows << ' ' << bytesRead;
    }
    EXPECT_EQ(cli::finishedLine(9000), "\rtamrel-cli: 9000 rows converted\x1b[K\n");
}

// --inspect shows what the engine gives for the fields after the same run: the JSON's numbers
// exactly, and the batch's columns the same values as the JSON.
TEST(CliInspection, JsonAndCsvShowTheEngineResultsForTheRun) {
    const std::string gears[] = {
        "3.175,20,59,15,8,5.5,W,72.8801,0.05,-0.05,,", "2,20,20,0,3,3.5,Xn,0,0,-0.1,,",
        "3.175,20,-59,15,,5.5,M,181,0,-0.1,,",
        "3.175,20,59,15,8,5.5,M,150,0,0,,",  // ends with a message: no inspection
    };
    std::string input = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower,dkg,drg\n";
    std::vector<nlohmann::json> inspections;
    for (const std::string& gear : gears) {
        SCOPED_TRACE(gear);
        input += gear + '\n';
        const Cells cells = cellsOf(gear);
        Cells args{"--json", "--inspect"};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].empty()) {
                args.insert(args.end(), {"--" + Columns[i], cells[i]});
            }
        }
        const auto shown = nlohmann::json::parse(runProgram(Cli, args).out);
        const auto in = inspection::inspectionInput(runWindow(cells), {});
        ASSERT_EQ(shown.contains("inspection"), in.has_value());
        inspections.push_back(in ? shown["inspection"] : nlohmann::json());
        if (!in) {
            continue;
        }
        const inspection::Inspection engine = inspection::inspect(*in);
        const nlohmann::json& j = shown["inspection"];
        const auto mid = static_cast<std::size_t>(inspection::BandValue::Mid);
        const auto max = static_cast<std::size_t>(inspection::BandValue::Max);
        EXPECT_EQ(j["ball"]["idealDiameter"].get<double>(),
                  engine.ball.value().idealDiameter.value());
        EXPECT_EQ(j["ball"]["contactDiameter"]["max"].get<double>(),
                  engine.ball.value().contactDiameter.values[max].value());
        EXPECT_EQ(j["ball"]["protrusion"]["mid"].get<double>(),
                  engine.ball.value().protrusion.values[mid].value());
        if (in->z < 0) {
            EXPECT_TRUE(j["span"].is_null() && j["chordal"].is_null());
            EXPECT_EQ(j["absent"]["span"],
                      inspection::failureText(inspection::Failure::InternalGear));
            continue;
        }
        const auto& span = engine.span.value();
        EXPECT_EQ(j["span"]["teeth"], *in->teethSpanned);
        EXPECT_EQ(j["span"]["recommendedTeeth"], span.recommendedTeeth.value());
        EXPECT_EQ(j["span"]["measurableTeeth"], span.measurableTeeth.value());
        EXPECT_EQ(j["span"]["contactDiameter"]["max"].get<double>(),
                  span.contactDiameter.values[max].value());
        EXPECT_EQ(j["span"]["measurable"], span.measurable.value());
        EXPECT_EQ(j["chordal"]["thickness"]["mid"].get<double>(),
                  engine.chordal.value().thickness.values[mid]);
        EXPECT_EQ(j["chordal"]["constantChordHeight"]["max"].get<double>(),
                  engine.chordal.value().constantChordHeight.values[max]);
    }
    const auto batch = runProgram(Cli, {"--csv", "-", "--inspect"}, input);
    std::istringstream out(batch.out);
    cli::CsvRecordReader reader(out);
    cli::CsvRecord header, row;
    ASSERT_TRUE(reader.next(header));
    for (const nlohmann::json& json : inspections) {
        ASSERT_TRUE(reader.next(row));
        const auto flat = json.flatten();
        for (std::size_t c = 0; c < header.fields.size(); ++c) {
            const std::string& name = header.fields[c];
            if (name.rfind("inspection.", 0) != 0 || name == "inspection.absent") {
                continue;
            }
            std::string pointer = name.substr(10);
            std::replace(pointer.begin(), pointer.end(), '.', '/');
            const nlohmann::json::json_pointer at(pointer);
            if (!json.contains(at) || json[at].is_null()) {
                EXPECT_EQ(row.fields[c], "") << name;
            } else if (json[at].is_number_float()) {
                EXPECT_EQ(std::stod(row.fields[c]), json[at].get<double>()) << name;
            } else if (!json[at].is_array()) {
                EXPECT_EQ(row.fields[c], json[at].dump()) << name;
            }
        }
        // Every value of a complete inspection has its column.
        if (json.is_object() && json["span"].is_object() && json["ball"].is_object()) {
            for (const auto& item : flat.items()) {
                const bool listed = item.key().rfind("/absent", 0) == 0 ||
                                    item.key().rfind("/span/measurableTeeth/", 0) == 0;
                std::string column = "inspection" + item.key();
                std::replace(column.begin(), column.end(), '/', '.');
                EXPECT_TRUE(listed ||
                            std::count(header.fields.begin(), header.fields.end(), column) == 1)
                    << column;
            }
        }
    }
}

}  // namespace
}  // namespace tamrel
