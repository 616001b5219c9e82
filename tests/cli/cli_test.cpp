// tamrel-cli shows the texts an in-memory window holds after the same compute run (grid, JSON and a
// CSV batch), the inspection aids the engine gives for them, and exits with a status that fits.
#include "cli/csv_text.h"
#include "cli/inspection_report.h"
#include "conversion/compute_run.h"
#include "fuzz/compute_run_case.h"
#include "inspection/run_inspection.h"
#include "run_program.h"
#include "tamrel_version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <sstream>

namespace tamrel {
namespace {

using testing::runProgram;
using Cells = std::vector<std::string>;
using Json = nlohmann::json;
using Texts = std::map<std::string, std::string>;

const std::string Cli = TAMREL_CLI_PATH;
const std::string Header = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower,dkg,drg";

Cells split(const std::string& text, char separator) {
    Cells cells;
    std::istringstream in(text + separator);
    for (std::string cell; std::getline(in, cell, separator);)
        cells.push_back(cell);
    return cells;
}

// The options of a gear's cells, "--mn=3.175" or "--mn" "3.175"; empty cells are left out.
Cells optionsOf(const std::string& gear, bool joined, Cells args = {}) {
    const Cells names = split(Header, ','), cells = split(gear, ',');
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cells option =
            joined ? Cells{"--" + names[i] + "=" + cells[i]} : Cells{"--" + names[i], cells[i]};
        args.insert(args.end(), option.begin(), cells[i].empty() ? option.begin() : option.end());
    }
    return args;
}

// The engine's run of the gear, typed as the fuzzer types a case: the reference quantity and
// automatic diameters, then the inputs in the gear's order; automatic diameters stay as they
// start.
ConversionResult runOf(const std::string& gear) {
    const Cells c = split(gear, ',');
    const bool automatic = c[10].empty() && c[11].empty();
    const auto named = [&c](Quantity q) { return describe(q).name == c[6]; };
    const auto q = std::find_if(Quantities.begin(), Quantities.end(), named) - Quantities.begin();
    std::string typed = std::to_string(q) + "01"[automatic];
    for (std::size_t i = 0; i < (automatic ? 10 : c.size()); ++i)
        typed += i == 6 ? "" : '\n' + c[i];
    return runConversion(fuzzing::decodeFuzzCase(typed).input);
}

// Every text of a run by its dotted name, as the JSON and the batch name them.
Texts textsOf(const ConversionResult& run) {
    Texts texts;
    for (Quantity q : Quantities)
        for (Column c : Columns)
            texts[std::string(describe(q).name) + "." + columnKey(c)] = run.cell(q, c).text;
    texts["tipDiameter"] = run.tipDiameter.text;
    texts["rootDiameter"] = run.rootDiameter.text;
    texts["message"] = run.message.text();
    return texts;
}

// The values of a JSON object by their dotted names, texts as they are and the others as JSON.
Texts flattened(const Json& json) {
    Texts texts;
    const Json flat = json.flatten();
    for (const auto& [pointer, value] : flat.items()) {
        std::string name = pointer.substr(1);
        std::replace(name.begin(), name.end(), '/', '.');
        texts[name] = value.is_string() ? value.get<std::string>() : value.dump();
    }
    return texts;
}

// The engine's inspection aids for the gear's run.
Json inspectionOf(const std::string& gear, const inspection::BasicRack& rack = {}) {
    auto input = inspection::inspectionInput(runOf(gear));
    input->rack = rack;
    return cli::inspectionJson(*input, inspection::inspect(*input));
}

// The rows of a batch's output, each by column name.
std::vector<Texts> csvRows(const std::string& csv) {
    std::istringstream in(csv);
    cli::CsvRecordReader reader(in);
    cli::CsvRecord header, record;
    std::vector<Texts> rows;
    for (reader.next(header); reader.next(record);) {
        Texts& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.fields.size(); ++i)
            row[header.fields[i]] = record.fields.at(i);
    }
    return rows;
}

TEST(CliResults, JsonAndBatchShowTheWindowAfterTheSameRun) {
    // Each mode, typed diameters, a bad field, pins out of reach, an internal gear, a diametral
    // pitch and a one-tooth gear.
    // clang-format off
    const std::string gears[] = {
        "3.175,20,59,15,8,5.5,Xn,-0.1445,0.05,-0.03,,", "3.175,20,59,15,8,5.5,Sn,4.6533,0,-0.08,,",
        "3.175,20,59,15,8,5.5,W,72.8801,0.04,-0.06,,", "3.175,20,59,15,8,5.5,M,200.7889,0.1,-0.2,,",
        "3.175,20,59,15,,,Xn,-0.1445,0,0,210,190.5",    "3.175,20,abc,15,8,5.5,W,72.8801,0,0,,",
        "3.175,20,59,15,8,5.5,M,150,0,0,,",             "3.175,20,-59,15,,5.5,M,181,0,-0.1,,",
        "-8,25,31,0,4,,Sn,5,0,-0.05,,150",              "2,20,1,0,1,3,Xn,0,0,0,,"};
    // clang-format on
    for (std::size_t g = 0; g < std::size(gears); ++g) {
        Texts texts = textsOf(runOf(gears[g]));
        const auto json = runProgram(Cli, optionsOf(gears[g], g % 2, {"--json"})).out;
        texts["reference"] = split(gears[g], ',')[6];
        EXPECT_EQ(flattened(Json::parse(json)), texts) << gears[g];
    }
    // Enough rows for several blocks, each shared out among threads.
    std::string batch = Header + '\n';
    for (int copy = 0; copy < 300; ++copy)
        for (const std::string& gear : gears)
            batch += gear + '\n';
    const auto result = runProgram(Cli, {"--csv", "-"}, batch);
    EXPECT_EQ(result.err, "");  // no terminal: no progress
    const std::vector<Texts> rows = csvRows(result.out);
    ASSERT_EQ(rows.size(), 300 * std::size(gears));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (const auto& [name, text] : textsOf(runOf(gears[r % std::size(gears)])))
            ASSERT_EQ(rows[r].at(name), text) << gears[r % std::size(gears)] << ' ' << name;
}

TEST(CliResults, BatchReadsAndWritesTheEdgesOfCsv) {
    // A byte order mark, blanks and any letter case in the header; a CRLF; a blank line; cells
    // that need quotes; rows that cannot be read.
    const std::string input = "\xEF\xBB\xBF Value ,REF,mn,pn,zg,bog,zmg,upper\r\n"
                              "72.8801,w,3.175,20,59,15,8,\"a\nb\"\r\n"
                              "72.8801,Q,3.175,20,59,15,8,0\n\n"
                              "72.8801,W,3.175\n"
                              "72.8801,W,3\"175,20,59,15,8,0\n"
                              "\"72,8801\",W,3.175,20,59,15,8,\" 0\"\n";
    const auto result = runProgram(Cli, {"--csv", "-"}, input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string shown;  // line, upper tolerance and message of each row
    for (const Texts& row : csvRows(result.out))
        shown += row.at("line") + ' ' + row.at("upper") + ' ' + row.at("message") + '\n';
    EXPECT_EQ(shown, "2 a\nb ERROR:S1 was wrong!\n"
                     "4 0 unreadable row at line 4: ref \"Q\" is not Xn, W, M or Sn\n"
                     "6  unreadable row at line 6: 3 fields where the header has 8\n"
                     "7  unreadable row at line 7: a quote is misplaced or not closed\n"
                     "8  0 ERROR:SMG was wrong!\n");
    // A line break alone is quoted too.
    EXPECT_NE(result.out.find(",\"a\nb\","), std::string::npos) << result.out;
}

TEST(CliUsage, ExitStatusFitsTheArgumentsAndInput) {
    // A gear's options after the given ones.
    const auto with = [](const Cells& more) {
        return optionsOf("3.175,20,59,15,,,W,72.8801,,,,", false, more);
    };
    // Arguments, standard input, exit status, part of the output (status 0) or of the error.
    const std::tuple<Cells, std::string, int, std::string> invocations[] = {
        {{"--version"}, "", 0, "tamrel-cli " TAMREL_VERSION "\n"},
        {{"--help"}, "", 0, "(omitted: the field stays empty)\n\n\nReference measure"},
        // Values that look like options or are empty are texts of their fields.
        {with({"--upper", "--json", "--lower=", "--json"}), "", 0,
         "\"upper\": \"--json\",\n    \"lower\": \"\","},
        {with({"--upper", "\3770", "--json"}), "", 0, "\"upper\": \"\ufffd0\""},
        // The grid: each column as wide as its widest cell.
        {optionsOf("3.175,20,59,15,8,5.5,M,150,,,,", false), "", 0,
         "M          150                          0    0    ---  ---  ---\n"
         "Sn         ---                          ---  ---  ---  ---  ---\n"
         "DKG        200.2831\nDRG        185.9956\nMessage    Check your DM or DP please!\n"},
        {{}, "", 2, "--mn is required"},
        {{"--mn", "3", "--ref", "X"}, "", 2, "--ref takes Xn, W, M or Sn, not \"X\""},
        {with({"--mn", "3"}), "", 2, "--mn"},
        {with({"--auto", "--dkg", "200"}), "", 2, "--auto cannot be combined with --dkg"},
        {with({"--rack-dedendum", "0"}), "", 2, "--rack-dedendum \"0\" is not a positive number"},
        {{"--csv", "-", "--rack-tip-radius", "0.2"}, "", 2, "--rack-tip-radius cannot be combined"},
        {with({"--locale", "xx_NOWHERE"}), "", 2, "unknown locale \"xx_NOWHERE\""},
        {{"--csv", "-", "--mn", "3"}, "", 2, "--mn cannot be combined with --csv"},
        {{"--csv", "/nowhere/missing.csv"}, "", 2, "missing.csv: No such file or directory"},
        {{"--csv", "/"}, "", 2, "/: is a directory"},
        {{"--csv", "-"}, "\n\n", 2, "the input is empty"},
        {{"--csv", "-"}, "mn,pn,zg,teeth\n", 2, "unknown column \"teeth\""},
        {{"--csv", "-"}, "mn,pn,zg,bog,ref,value,MN\n", 2, "column \"mn\" appears twice"},
        {{"--csv", "-"}, "pn,zg,bog,ref,value\n", 2, "the header has no column \"mn\""},
        {{"--csv", "-"}, "mn,pn,zg,bog,ref,\"value\n", 2, "a quote is misplaced"},
    };
    for (const auto& [args, input, exitCode, shown] : invocations) {
        const auto result = runProgram(Cli, args, input);
        EXPECT_EQ(result.exitCode, exitCode) << shown;
        EXPECT_NE((exitCode == 0 ? result.out : result.err).find(shown), std::string::npos)
            << result.out << result.err;
        // A usage error writes nothing but its reason and a hint; other runs no hint.
        const bool hint = result.err.find("--help") != std::string::npos;
        EXPECT_EQ(std::pair(result.out.empty(), hint), std::pair(exitCode > 0, exitCode > 0))
            << shown;
    }
    const auto full = runProgram("/bin/sh", {"-c", "exec \"$0\" --csv - >/dev/full", Cli},
                                 "mn,pn,zg,bog,ref,value\n3.175,20,59,15,Xn,0\n");
    EXPECT_EQ(full.exitCode, 1);
}

// The JSON shows the engine's inspection aids for the same run and rack, the batch's columns and
// the grid's table the JSON's values. An undercut pinion cut by a rack of its own gets verdicts
// on the flank from its largest form circle.
TEST(CliInspection, JsonCsvAndGridShowTheEngineResultsForTheRun) {
    const std::string pinion = "2,20,12,0,2,3.5,Xn,0,0,-0.1,,";
    const std::string internal = "3.175,20,-59,15,,5.5,M,181,0,-0.1,,";
    const Json j = Json::parse(runProgram(Cli, optionsOf(pinion, false,
                                                         {"--json", "--inspect", "--rack-dedendum",
                                                          "1.4", "--rack-tip-radius=0.2"}))
                                   .out)["inspection"];
    EXPECT_EQ(j, inspectionOf(pinion, {1.4, 0.2}));
    EXPECT_EQ(j["flank"]["undercut"]["nominal"], true);
    EXPECT_EQ(j["flank"]["rackTipRadius"], 0.2);
    EXPECT_TRUE(j["flank"]["baseDiameter"].is_number());
    EXPECT_TRUE(j["ball"]["centreDiameter"]["min"].is_number());
    EXPECT_EQ(j["span"]["usableFrom"], j["flank"]["formDiameter"]["min"]);

    const std::vector<Texts> rows =
        csvRows(runProgram(Cli, {"--csv", "-", "--inspect"},
                           Header + ",rackDedendum,rackTipRadius\n" + pinion + ",1.4,0.2\n" +
                               internal + ",,\n" + pinion + ",1.4,-1\n")
                    .out);
    ASSERT_EQ(rows.size(), 3u);
    std::string teeth;
    for (const Json& k : j["span"]["measurableTeeth"])
        teeth += (teeth.empty() ? "" : " ") + k.dump();
    EXPECT_EQ(rows[0].at("inspection.span.measurableTeeth"), teeth);
    for (const auto& [name, value] : flattened(j)) {
        if (name != "absent" && name.rfind("span.measurableTeeth", 0) != 0) {
            EXPECT_EQ(rows[0].at("inspection." + name), value) << name;
        }
    }
    EXPECT_EQ(rows[0].at("rackDedendum") + rows[0].at("inspection.absent"), "1.4");
    EXPECT_EQ(rows[1].at("inspection.absent"), "span: only for external gears; chordal: only for "
                                               "external gears; flank: only for external gears");
    EXPECT_EQ(rows[2].at("message"),
              "unreadable row at line 4: rackTipRadius \"-1\" is not a number of 0 or more");
    // The grid's inspection table of the internal gear: a band row and the reasons.
    const std::string grid = runProgram(Cli, optionsOf(internal, true, {"--inspect"})).out;
    const Json protrusion = inspectionOf(internal)["ball"]["protrusion"];
    std::string row = "\nball.protrusion              ";
    for (const char* v : {"nominal", "mid", "max", "min"})
        row += (protrusion[v].dump() + "                    ").substr(0, 20);
    EXPECT_NE(
        grid.find(row.substr(0, row.find_last_not_of(' ') + 1) +
                  "\nball.measurable              true\n"
                  "chordal.thickness            ---                 ---                 ---   "
                  "              ---\n"),
        std::string::npos)
        << grid << row;
    EXPECT_NE(grid.find("\nabsent span: only for external gears\nabsent chordal: only for external "
                        "gears\nabsent flank: only for external gears\n"),
              std::string::npos);
}

TEST(CliIdentify, ListsTheCandidatesOrExitsWithTheProblem) {
    // The gear in hand of identify's example, and module 1.25 at 20 degrees, which DP 20 at 22.5
    // degrees fits too: their base pitches differ by 4 um.
    const std::string gear = "identify --zg 59 --span 7:63.507 --span=8:72.880 --tip 199.37";
    const std::string pair = "identify --zg 30 --span 4:13.6118 --span 5:17.302 --tip 40.5";
    // Arguments, exit status, part of the output (status 0) or of the error.
    const std::tuple<std::string, int, std::string> invocations[] = {
        {gear, 0,
         "Rank  System           Module  DP  PN  Helix   Xn       Tip       Dedendum  dPb     dW7 "
         "    dW8     dTip    Score\n1     diametral pitch  3.175   8   20  15.006  -0.1446  "
         "199.3700  ---       0.0000  0.0000  0.0000  0.0000  8.98e-06\nBase pitch  9.3730\n"
         "Message\n"},
        {pair + " --helix 0 --root 34.875 --ball 2.1:40.7287", 0,
         "dM       Score\n1     module           1.25    ---  20    0.000  0.2000   40.5000  1.25  "
         "    0.0000  0.0000   0.0000  0.0000   0.0000   8.8e-05\n2     diametral pitch  1.27    "
         "20   22.5  0.000  -0.0477  40.5189  1.25      0.0041  -0.0006  0.0035  -0.0189  -0.0010  "
         "0.856\n"},
        {gear + " --helix 0 --span-tolerance 0.01 --tip-tolerance 0.5", 0,
         "-0.0034  -0.0034  5.8056  135\nBase pitch  9.3730\nMessage     no standard gear fits "
         "every measurement; the nearest follow\n"},
        {"identify --zg 30 --span 4:45.519 --span 5:58.017 --tip 135.467 --helix 0", 0,
         "\n1     diametral pitch  4.2333  6   20  0.000  0.0000  135.4663  ---"},
        {"identify --help", 0,
         "tamrel-cli identify --zg 59 --span 7:63.507 --span 8:72.880 --tip 199.37\n"},
        {"identify --zg 0 --span 7:63.507 --span 8:72.880 --tip 199.37", 2,
         "identify: the number of teeth must be a whole number from 1 to 32767\n"},
        {gear + " --span 10:90", 2, "the spans must be over consecutive numbers of teeth"},
        {"identify --zg 59 --span 7:63.507 --span 8:72.847 --tip 199.37", 2,
         "no standard module or diametral pitch with a standard pressure angle fits the base pitch "
         "of the spans (9.3400 mm; the nearest is diametral pitch 8 at 20 degrees with 9.3730 mm)"},
        {gear + " --helix fifteen", 2, "--helix: \"fifteen\" is not a number"},
        {gear + " --span 9.5:82", 2, "--span: \"9.5\" is not a whole number"},
        {gear + " --ball 5.5", 2, "--ball takes two numbers joined by \":\", not \"5.5\""},
        {gear + " --locale xx_NOWHERE", 2, "unknown locale \"xx_NOWHERE\""},
    };
    for (const auto& [line, exitCode, shown] : invocations) {
        const auto result = runProgram(Cli, split(line, ' '));
        EXPECT_EQ(result.exitCode, exitCode) << line;
        EXPECT_NE((exitCode == 0 ? result.out : result.err).find(shown), std::string::npos)
            << line << ": " << result.out << result.err;
        EXPECT_EQ(result.out.empty(), exitCode != 0) << line;
    }
    // The JSON of the pair: its shape, null where there is no value, computed numbers to the
    // fourth decimal.
    const Json j = Json::parse(runProgram(Cli, split(pair + " --json", ' ')).out);
    const Json& second = j["candidates"].at(1);
    const auto e4 = [](const Json& v) { return Json(std::lround(v.get<double>() * 1e4)); };
    EXPECT_EQ(
        Json::array({j["message"], j["candidates"].size(), j["candidates"][0]["diametralPitch"],
                     second["system"], second["module"], second["diametralPitch"],
                     second["pressureAngle"], second["dedendum"], second["residuals"]["ball"],
                     second["residuals"]["spans"].size(), e4(j["basePitch"]),
                     e4(second["profileShift"]), e4(second["tipDiameter"])}),
        Json::parse("[\"\", 2, null, \"diametral pitch\", 1.27, 20.0, 22.5, null, null, 2, 36902, "
                    "-465, 405220]"));
}

TEST(CliResults, LocaleDecimalSeparatorReadsAndWritesNumbers) {
    // Builds a German locale of its own, so the test needs no locale installed on the system.
    const auto locales = testing::temporaryDirectory();
    if (runProgram("/usr/bin/localedef", {"-i", "de_DE", "-f", "UTF-8", *locales + "/de"})
            .exitCode) {
        GTEST_SKIP() << "localedef cannot build de_DE.UTF-8";
    }
    const std::string out =
        runProgram("/usr/bin/env",
                   {"LOCPATH=" + *locales, Cli, "--mn=2", "--pn=20", "--zg=20", "--bog=0",
                    "--zmg=3", "--dpg=3,5", "--ref=Xn", "--value=0", "--upper=0,05", "--locale=de"})
            .out;
    EXPECT_NE(out.find("\nXn         0                 0,05                0   0,025"), out.npos)
        << out;
}

}  // namespace
}  // namespace tamrel
