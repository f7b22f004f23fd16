#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace flexel::test {
namespace {

const std::string kData = std::string(FLEXEL_TEST_DATA) + "/cli/";
const std::string kGroups = kData + "groups.tsv";
const std::string kMatchUsage =
    " (usage: flexel match [--groups FILE] [--budget STEPS] PATTERN WORD)\n";

struct CliCase {
  const char* name;
  std::vector<std::string> args;
  int exitCode;
  std::string out;
  std::string err;
};

void PrintTo(const CliCase& c, std::ostream* os) {
  for (const std::string& arg : c.args) {
    *os << arg << ' ';
  }
}

class CliMatchTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliMatchTest, Runs) {
  const CliCase& c = GetParam();
  const CliResult result = RunCli(c.args);
  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_EQ(result.out, c.out);
  EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliMatchTest,
    ::testing::Values(
        CliCase{"RootByRewrite", {"match", "*(en:)", "laufen"}, 0, "lauf\n", ""},
        CliCase{"Alternatives", {"match", "xa|*", "b"}, 0, "b\n", ""},
        CliCase{"BarMakesAlternatives", {"match", "a||b", "b"}, 1, "", ""},
        CliCase{"NoMatchPrintsNothing", {"match", "*en", "en"}, 1, "", ""},
        CliCase{"EmptyOutput", {"match", "(ser:)", "ser"}, 0, "\n", ""},
        CliCase{"MultiByteLetters", {"match", "Ж?к", "Жук"}, 0, "Жук\n", ""},
        CliCase{"GroupFile", {"match", "--groups", kGroups, "*[(E)]", "vivir"}, 0, "vivo\n", ""},
        CliCase{"OptionAfterArguments",
                {"match", "h[V]bl[V]r", "hablar", "--groups=" + kGroups},
                0,
                "hablar\n",
                ""},
        CliCase{"LegacyCrlfGroupFile",
                {"match", "--groups", kData + "groups_latin1_crlf.tsv", "[U]x[S]", "öxß"},
                0,
                "öxß\n",
                ""},
        CliCase{"DoubleDashEndsOptions", {"match", "--", "-x", "-x"}, 0, "-x\n", ""},
        CliCase{"BudgetEnded",
                {"match", "--budget", "1000", "*a*a*a*a*a*a*b", std::string(40, 'a')},
                1,
                "",
                "flexel match: gave up after 1000 steps without a match; the pattern may still "
                "match with a larger --budget\n"},
        CliCase{"MissingWord", {"match", "x"}, 2, "", "flexel match: missing WORD" + kMatchUsage},
        CliCase{"MissingBoth",
                {"match"},
                2,
                "",
                "flexel match: missing PATTERN and WORD" + kMatchUsage},
        CliCase{"ExtraArgument",
                {"match", "a", "b", "c"},
                2,
                "",
                "flexel match: unexpected argument 'c'" + kMatchUsage},
        CliCase{"UnknownOption",
                {"match", "--bogus", "a", "b"},
                2,
                "",
                "flexel match: unknown option '--bogus'" + kMatchUsage},
        CliCase{"OptionWithoutValue",
                {"match", "a", "b", "--groups"},
                2,
                "",
                "flexel match: option '--groups' needs a value FILE" + kMatchUsage},
        CliCase{"BadBudget",
                {"match", "--budget", "lots", "a", "a"},
                2,
                "",
                "flexel match: option '--budget' needs a whole number, not 'lots'" + kMatchUsage},
        CliCase{
            "MissingGroupFile",
            {"match", "--groups", kData + "missing.tsv", "[V]", "a"},
            3,
            "",
            "flexel match: Cannot open \"" + kData + "missing.tsv\": No such file or directory\n"},
        CliCase{"GroupLineWithoutTab",
                {"match", "--groups", kData + "groups_no_tab.tsv", "[V]", "a"},
                3,
                "",
                "flexel match: " + kData +
                    "groups_no_tab.tsv:2: expected ID<TAB>MEMBERS, found no TAB\n"},
        CliCase{"NoCommand",
                {},
                2,
                "",
                "flexel: no command given (usage: flexel COMMAND [OPTIONS] [ARGUMENTS])\n"},
        CliCase{"UnknownCommand",
                {"frobnicate"},
                2,
                "",
                "flexel: unknown command 'frobnicate' (usage: flexel COMMAND [OPTIONS] "
                "[ARGUMENTS])\n"},
        CliCase{"HelpOfUnknownCommand",
                {"help", "frobnicate"},
                2,
                "",
                "flexel help: unknown command 'frobnicate' (usage: flexel help [COMMAND])\n"},
        CliCase{"Version", {"--version"}, 0, "flexel " FLEXEL_VERSION "\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliHelp, MatchHelpExplainsPatterns) {
  const CliResult viaHelp = RunCli({"help", "match"});
  const CliResult viaOption = RunCli({"match", "--help"});
  EXPECT_EQ(viaHelp.exitCode, 0);
  EXPECT_EQ(viaHelp.err, "");
  EXPECT_EQ(viaHelp.out, viaOption.out);
  EXPECT_EQ(viaHelp.out.rfind("usage: flexel match [--groups FILE] [--budget STEPS] PATTERN "
                              "WORD\n",
                              0),
            0u);
  for (const char* element : {"(src:tgt)", "[(G)]", "flexel match '*(en:)' laufen"}) {
    EXPECT_NE(viaHelp.out.find(element), std::string::npos) << element;
  }
}

TEST(CliHelp, GeneralHelpListsCommands) {
  const CliResult result = RunCli({"--help"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("\n  match "), std::string::npos);
  EXPECT_EQ(RunCli({"help"}).out, result.out);
}

}  // namespace
}  // namespace flexel::test
