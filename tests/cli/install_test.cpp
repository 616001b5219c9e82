// `cmake --install` lays out both programs with their desktop integration.
#include "run_program.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tamrel {
namespace {

using testing::readFile;
using testing::runProgram;

TEST(Installation, HoldsBothProgramsAndTheDesktopIntegration) {
    const auto prefix = testing::temporaryDirectory();
    const auto installed =
        runProgram(TAMREL_CMAKE_COMMAND, {"--install", TAMREL_BUILD_DIR, "--prefix", *prefix});
    ASSERT_EQ(installed.exitCode, 0) << installed.out << installed.err;
    EXPECT_EQ(runProgram(*prefix + "/bin/tamrel-cli", {"--help"}).exitCode, 0);
    EXPECT_EQ(access((*prefix + "/bin/tamrel").c_str(), X_OK) == 0, TAMREL_HAS_WINDOW);
    const std::string share = *prefix + "/share/";
    const std::string desktop = readFile(share + "applications/org.tamrel.Tamrel.desktop");
    EXPECT_NE(desktop.find("\nExec=tamrel\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nIcon=org.tamrel.Tamrel\n"), std::string::npos) << desktop;
    EXPECT_NE(readFile(share + "icons/hicolor/scalable/apps/org.tamrel.Tamrel.svg").find("<svg"),
              std::string::npos);
    const std::string metainfo = share + "metainfo/org.tamrel.Tamrel.metainfo.xml";
    EXPECT_NE(readFile(metainfo).find(">org.tamrel.Tamrel.desktop</launchable>"),
              std::string::npos);
    if (access("/usr/bin/appstreamcli", X_OK) != 0) {
        GTEST_SKIP() << "appstreamcli is not installed";
    }
    const auto validated = runProgram("/usr/bin/appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(validated.exitCode, 0) << validated.out << validated.err;
}

}  // namespace
}  // namespace tamrel
