#include "cli/cli_arguments.h"
#include "cli/command_registry.h"

#include <gtest/gtest.h>

namespace ixo::cli {
namespace {

// A table shaped like the one the front end grows into: a plain command, two commands under one word,
// one with an argument and options.
CommandRegistry SampleRegistry() {
    const CommandHandler nothing = [](const CommandContext&) { return 0; };
    CommandRegistry registry;
    registry.Add(MakeCommand({"settings"}, "show", nothing));
    registry.Add(MakeCommand({"catalogue", "families"}, "list", nothing));
    Command models = MakeCommand({"catalogue", "models"}, "list models", nothing);
    models.argumentsSyntax = "FAMILY";
    models.minArguments = 1;
    models.maxArguments = 1;
    models.options = {{"--obsolete", "", "also obsolete"}, {"--limit", "N", "at most N"}};
    registry.Add(models);
    return registry;
}

CommandLine Parse(const std::vector<std::string>& words) {
    static const CommandRegistry registry = SampleRegistry();
    return ParseCommandLine(words, registry, "/opt/ixo");
}

std::string ErrorOf(const std::vector<std::string>& words) {
    try {
        Parse(words);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(CliArguments, DefaultsLiveBesideTheProgram) {
    const CommandLine line = Parse({"settings"});
    ASSERT_NE(line.command, nullptr);
    EXPECT_EQ(line.command->Name(), "settings");
    EXPECT_EQ(line.options.catalogueDirectory, std::filesystem::path("/opt/ixo/BD"));
    EXPECT_EQ(line.options.settingsFile, std::filesystem::path("/opt/ixo/Ixo.ini"));
    EXPECT_FALSE(line.help);
    EXPECT_FALSE(line.version);
}

TEST(CliArguments, GlobalOptionsStandAnywhereInBothForms) {
    const CommandLine line = Parse({"--settings", "/tmp/a.ini", "settings", "--catalogue=/data/BD"});
    EXPECT_EQ(line.options.settingsFile, std::filesystem::path("/tmp/a.ini"));
    EXPECT_EQ(line.options.catalogueDirectory, std::filesystem::path("/data/BD"));
    EXPECT_EQ(line.command->Name(), "settings");
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_EQ(Parse({"-h"}).command, nullptr);
    EXPECT_TRUE(Parse({"settings", "--help"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
}

TEST(CliArguments, CommandOfSeveralWordsWithArgumentAndOptions) {
    const CommandLine line = Parse({"catalogue", "models", "--limit", "3", "5001", "--obsolete"});
    ASSERT_NE(line.command, nullptr);
    EXPECT_EQ(line.command->Name(), "catalogue models");
    EXPECT_EQ(line.arguments, std::vector<std::string>{"5001"});
    EXPECT_EQ(line.commandOptions.find("--limit")->second, "3");
    EXPECT_EQ(line.commandOptions.find("--obsolete")->second, "");
    // A negative number is an argument, and after "--" so is anything.
    EXPECT_EQ(Parse({"catalogue", "models", "-5"}).arguments, std::vector<std::string>{"-5"});
    EXPECT_EQ(Parse({"catalogue", "models", "--", "--odd"}).arguments, std::vector<std::string>{"--odd"});
}

TEST(CliArguments, BadInputIsNamed) {
    EXPECT_EQ(ErrorOf({"frobnicate"}), "unknown command 'frobnicate'");
    EXPECT_EQ(ErrorOf({"--frob"}), "unknown option '--frob'");
    EXPECT_EQ(ErrorOf({"settings", "--limit", "3"}), "unknown option '--limit' for 'settings'");
    EXPECT_EQ(ErrorOf({"settings", "extra"}), "unexpected argument 'extra' for 'settings'");
    EXPECT_EQ(ErrorOf({"settings", "--settings"}), "option '--settings' needs a value");
    EXPECT_EQ(ErrorOf({"--settings=", "settings"}), "option '--settings' needs a value");
    EXPECT_EQ(ErrorOf({"--catalogue", "--help"}), "option '--catalogue' needs a value");
    EXPECT_EQ(ErrorOf({"--help=yes"}), "option '--help' takes no value");
    EXPECT_EQ(ErrorOf({"catalogue"}), "'catalogue' needs one of: families, models");
    EXPECT_EQ(ErrorOf({"catalogue", "prices"}), "'catalogue' needs one of: families, models (not 'prices')");
    EXPECT_EQ(ErrorOf({"catalogue", "models"}), "'catalogue models' needs FAMILY");
    EXPECT_EQ(ErrorOf({"catalogue", "models", "1", "2"}), "unexpected argument '2' for 'catalogue models'");
    EXPECT_EQ(ErrorOf({"catalogue", "models", "--obsolete=1", "1"}), "option '--obsolete' takes no value");
    EXPECT_EQ(ErrorOf({"catalogue", "--obsolete", "models"}), "unknown option '--obsolete'");
}

TEST(CliArguments, NumbersMustBeWholeAndFit) {
    EXPECT_EQ(ParseIntegerArgument("5001", "FAMILY"), 5001);
    EXPECT_EQ(ParseIntegerArgument("-1", "FAMILY"), -1);
    for (const char* bad : {"", "12a", "1.5", " 1", "99999999999", "+"}) {
        EXPECT_THROW(ParseIntegerArgument(bad, "FAMILY"), UsageError) << bad;
    }
    try {
        ParseIntegerArgument("x7", "FAMILY");
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "bad number for FAMILY: 'x7'");
    }
}

TEST(CommandRegistry, NamesMustBeUnique) {
    CommandRegistry registry = SampleRegistry();
    EXPECT_THROW(registry.Add(MakeCommand({"settings"}, "again", nullptr)), std::logic_error);
    EXPECT_THROW(registry.Add(MakeCommand({}, "nameless", nullptr)), std::logic_error);
    EXPECT_EQ(registry.Commands().size(), 3u);
}

} // namespace
} // namespace ixo::cli
