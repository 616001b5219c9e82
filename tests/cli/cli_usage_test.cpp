// Exit status and messages of the program for its arguments and input files.
#include "run_program.h"

#include <gtest/gtest.h>

namespace tamrel {
namespace {

using testing::ProgramResult;
using testing::runProgram;
using testing::TemporaryDirectory;

const std::string Cli = TAMREL_CLI_PATH;

const std::vector<std::string> OneGear{"--mn",  "3.175", "--pn",    "20",     "--zg",
                                       "59",    "--bog", "15",      "--zmg",  "8",
                                       "--ref", "W",     "--value", "72.8801"};

std::vector<std::string> oneGearWith(std::vector<std::string> extra) {
    std::vector<std::string> args = OneGear;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

void expectUsageError(const ProgramResult& result, const std::string& problem) {
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(problem), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("usage: tamrel-cli"), std::string::npos);
}

TEST(CliUsage, HelpDocumentsEveryOptionAndExitsZero) {
    for (const char* help : {"--help", "-h"}) {
        const auto result = runProgram(Cli, {help});
        EXPECT_EQ(result.exitCode, 0);
        for (const char* option : {"--mn", "--pn", "--zg", "--bog", "--zmg", "--dpg", "--ref",
                                   "--value", "--upper", "--lower", "--auto", "--dkg", "--drg",
                                   "--json", "--csv", "--locale", "Exit status"}) {
            EXPECT_NE(result.out.find(option), std::string::npos) << option;
        }
    }
}

TEST(CliUsage, UnusableArgumentsExitTwoWithTheReason) {
    expectUsageError(runProgram(Cli, {}), "no gear given");
    expectUsageError(runProgram(Cli, oneGearWith({"--colour", "red"})), "unknown option --colour");
    expectUsageError(runProgram(Cli, oneGearWith({"stray"})), "unexpected argument \"stray\"");
    expectUsageError(runProgram(Cli, oneGearWith({"--lower"})), "--lower needs a value");
    expectUsageError(runProgram(Cli, oneGearWith({"--mn", "3"})), "--mn is given more than once");
    expectUsageError(runProgram(Cli, oneGearWith({"--json=yes"})), "--json takes no value");
    expectUsageError(runProgram(Cli, oneGearWith({"--auto", "--dkg", "200"})),
                     "--auto cannot be combined with --dkg or --drg");
    expectUsageError(runProgram(Cli, {"--mn", "3", "--ref", "X"}),
                     "--ref takes Xn, W, M or Sn, not \"X\"");
    expectUsageError(
        runProgram(Cli, {"--pn", "20", "--zg", "59", "--bog", "0", "--ref", "Xn", "--value", "0"}),
        "--mn is required");
    expectUsageError(runProgram(Cli, oneGearWith({"--locale", "xx_NOWHERE"})),
                     "unknown locale \"xx_NOWHERE\"");
    expectUsageError(runProgram(Cli, {"--csv", "-", "--mn", "3"}),
                     "--mn cannot be combined with --csv");
}

TEST(CliUsage, ValuesMayFollowAnEqualsSignAndStartWithAMinus) {
    const auto result =
        runProgram(Cli, {"--mn=-8", "--pn", "20", "--zg", "-59", "--bog=-15", "--ref=Sn", "--value",
                         "-0.5", "--upper=-0.1", "--lower", "-0.2", "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\"TextS2(3)\": \"-0.2\""), std::string::npos) << result.out;
}

TEST(CliUsage, JsonStaysValidForTextsThatAreNotUtf8) {
    const auto result = runProgram(Cli, oneGearWith({"--upper",
                                                     "\xff"
                                                     "0",
                                                     "--json"}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\"TextS1(1)\": \"\xEF\xBF\xBD"
                              "0\""),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"TextError\": \"ERROR:S1 was wrong!\""), std::string::npos);
}

TEST(CliUsage, RunEndingWithAMessageIsAResultAndExitsZero) {
    const auto result = runProgram(Cli, oneGearWith({"--upper", "x"}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("ERROR:S1 was wrong!"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

TEST(CliUsage, OutputThatCannotBeWrittenIsAFailure) {
    for (const std::string& args : {std::string("--help"), std::string("--csv -")}) {
        const auto result =
            runProgram("/bin/sh", {"-c", "exec \"$0\" " + args + " >/dev/full", Cli},
                       "mn,pn,zg,bog,ref,value\n3.175,20,59,15,Xn,0\n");
        EXPECT_EQ(result.exitCode, 1) << args;
        EXPECT_NE(result.err.find("the output could not be written"), std::string::npos);
    }
}

TEST(CliUsage, UnreadableBatchInputExitsTwo) {
    const TemporaryDirectory files;
    expectUsageError(runProgram(Cli, {"--csv", files.path() + "/missing.csv"}),
                     "missing.csv: No such file or directory");
    expectUsageError(runProgram(Cli, {"--csv", files.path()}), "is a directory");
    expectUsageError(runProgram(Cli, {"--csv", files.write("empty.csv", "\n\n")}),
                     "the input is empty");
    expectUsageError(runProgram(Cli, {"--csv", files.write("bad.csv", "mn,pn,zg,teeth\n")}),
                     "unknown column \"teeth\"");
}

TEST(CliUsage, BatchReadsStandardInputAndWritesStandardOutput) {
    const auto result =
        runProgram(Cli, {"--csv", "-"}, "mn,pn,zg,bog,zmg,ref,value\n3.175,20,59,15,8,W,72.8801\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, 8), "line,mn,");
    EXPECT_NE(result.out.find("\n2,3.175,20,59,15,8,,W,72.8801,0,0,"), std::string::npos)
        << result.out;
    // Standard error is no terminal here: no progress.
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace tamrel
