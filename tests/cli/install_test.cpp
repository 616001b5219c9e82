// `cmake --install` lays out both programs with their desktop integration.
#include "run_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tamrel {
namespace {

using testing::readFile;
using testing::runProgram;
using testing::TemporaryDirectory;

namespace fs = std::filesystem;

class Installation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = new TemporaryDirectory;
        const auto installed = runProgram(
            TAMREL_CMAKE_COMMAND, {"--install", TAMREL_BUILD_DIR, "--prefix", prefix_->path()});
        ASSERT_EQ(installed.exitCode, 0) << installed.out << installed.err;
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }
    static std::string installed(const std::string& relative) {
        return prefix_->path() + "/" + relative;
    }

    static TemporaryDirectory* prefix_;
};

TemporaryDirectory* Installation::prefix_ = nullptr;

const std::string DesktopFile = "share/applications/org.tamrel.Tamrel.desktop";
const std::string IconFile = "share/icons/hicolor/scalable/apps/org.tamrel.Tamrel.svg";
const std::string MetainfoFile = "share/metainfo/org.tamrel.Tamrel.metainfo.xml";

TEST_F(Installation, PutsBothProgramsIntoBin) {
    const auto help = runProgram(installed("bin/tamrel-cli"), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    if (TAMREL_HAS_WINDOW) {
        const fs::path window = installed("bin/tamrel");
        ASSERT_TRUE(fs::is_regular_file(window));
        EXPECT_NE(fs::status(window).permissions() & fs::perms::owner_exec, fs::perms::none);
    }
}

TEST_F(Installation, DesktopEntryStartsTheWindowWithTheGearIcon) {
    const std::string entry = readFile(installed(DesktopFile));
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nType=Application\n", "\nName=Tamrel\n", "\nExec=tamrel\n",
                             "\nIcon=org.tamrel.Tamrel\n", "\nTerminal=false\n"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }
    const std::string icon = readFile(installed(IconFile));
    EXPECT_NE(icon.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(icon.find("viewBox="), std::string::npos);
}

TEST_F(Installation, MetainfoNamesTheDesktopEntryAndValidates) {
    const std::string metainfo = readFile(installed(MetainfoFile));
    EXPECT_NE(metainfo.find("<id>org.tamrel.Tamrel</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">org.tamrel.Tamrel.desktop"),
              std::string::npos);
    const std::string validator = "/usr/bin/appstreamcli";
    if (!fs::exists(validator)) {
        GTEST_SKIP() << "appstreamcli is not installed";
    }
    const auto validated = runProgram(validator, {"validate", "--no-net", installed(MetainfoFile)});
    EXPECT_EQ(validated.exitCode, 0) << validated.out << validated.err;
}

}  // namespace
}  // namespace tamrel
