#include "tools/tool_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace ixo::test {
namespace {

TEST(CatalogueToolCommandLine, HelpGoesToStandardOutput) {
    ToolRun run = RunCatalogueTool({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("ixo-catalogue build SRC OUT"), std::string::npos);
    EXPECT_NE(run.out.find("ixo-catalogue dump BD_DIR OUT"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(CatalogueToolCommandLine, BadUsageIsStatus2WithUsage) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"build"}, {"build", "a"}, {"pack", "a", "b"}, {"dump", "a", "b", "c"}}) {
        ToolRun run = RunCatalogueTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

int RunProgram(const std::string& arguments) {
    std::string command = (BinDirectory() / "ixo-catalogue").string() + " " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CatalogueToolCommandLine, ProgramExitStatuses) {
    TempDir dir;
    EXPECT_EQ(RunProgram("--help"), 0);
    EXPECT_EQ(RunProgram("build"), 2);
    EXPECT_EQ(RunProgram("dump '" + (dir / "none").string() + "' '" + (dir / "out").string() + "'"), 2);
    EXPECT_EQ(RunProgram("dump '" + DemoCatalogueDirectory().string() + "' '" + (dir / "src").string() + "'"),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir / "src" / "Repartidores.txt"));
}

} // namespace
} // namespace ixo::test
