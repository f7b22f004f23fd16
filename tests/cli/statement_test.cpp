#include "cli/statement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace flexel::cli {
namespace {

using automation::Variant;

struct ParsedCase {
  const char* name;
  std::string text;
  std::vector<MemberCall> path;
  std::optional<Variant> assigned;
};

void PrintTo(const ParsedCase& c, std::ostream* os) { *os << c.name; }

class StatementParseTest : public ::testing::TestWithParam<ParsedCase> {};

TEST_P(StatementParseTest, Parses) {
  const ParsedCase& c = GetParam();
  const Statement statement = ParseStatement(c.text);
  ASSERT_EQ(statement.path.size(), c.path.size());
  for (std::size_t i = 0; i < c.path.size(); ++i) {
    EXPECT_EQ(statement.path[i].name, c.path[i].name) << i;
    EXPECT_EQ(statement.path[i].args, c.path[i].args) << i;
  }
  EXPECT_EQ(statement.assigned, c.assigned);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, StatementParseTest,
    ::testing::Values(
        ParsedCase{"OneName", "Count", {{"Count", {}}}, std::nullopt},
        ParsedCase{
            "PathWithIndex", "Item(0).Name", {{"Item", {Variant(0)}}, {"Name", {}}}, std::nullopt},
        ParsedCase{"IntegerAssignment",
                   "Item(0).ActiveWord.partofspeechid=0",
                   {{"Item", {Variant(0)}}, {"ActiveWord", {}}, {"partofspeechid", {}}},
                   Variant(0)},
        ParsedCase{"StringAssignmentKeepsUtf8",
                   "Item(0).ActiveWord.Name=\"habláis\"",
                   {{"Item", {Variant(0)}}, {"ActiveWord", {}}, {"Name", {}}},
                   Variant("habláis")},
        ParsedCase{"TwoArgumentsAndNegative",
                   "Col(-1, 2147483647)",
                   {{"Col", {Variant(-1), Variant(2147483647)}}},
                   std::nullopt},
        ParsedCase{
            "StringArgument", "GetIndex(\"SPA\")", {{"GetIndex", {Variant("SPA")}}}, std::nullopt},
        ParsedCase{"Escapes",
                   R"(x="a\"b\\c\td\re\nf")",
                   {{"x", {}}},
                   Variant(std::string("a\"b\\c\td\re\nf"))},
        ParsedCase{"EmptyString", "x=\"\"", {{"x", {}}}, Variant("")},
        ParsedCase{"Blanks",
                   " Item ( 1 , \"a b\" ) . Name = 5 ",
                   {{"Item", {Variant(1), Variant("a b")}}, {"Name", {}}},
                   Variant(5)},
        ParsedCase{
            "UnderscoresAndDigits", "_NewEnum.x2", {{"_NewEnum", {}}, {"x2", {}}}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
  const char* name;
  std::string text;
  std::size_t position;
  std::string message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class StatementErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(StatementErrorTest, NamesPositionAndReason) {
  const ErrorCase& c = GetParam();
  try {
    (void)ParseStatement(c.text);
    FAIL() << "parsed";
  } catch (const StatementError& error) {
    EXPECT_EQ(error.position(), c.position);
    EXPECT_EQ(std::string(error.what()), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, StatementErrorTest,
    ::testing::Values(
        ErrorCase{"Empty", "", 1, "expected a member name"},
        ErrorCase{"UnclosedArguments", "Item(0.Name", 7, "expected ',' or ')'"},
        ErrorCase{"EmptyArguments", "Item()", 6, "expected a value (an integer or a \"string\")"},
        ErrorCase{"TrailingDot", "Item(0).", 9, "expected a member name"},
        ErrorCase{"NameStartsWithDigit", "1x", 1, "expected a member name"},
        ErrorCase{"MissingValue", "Name=", 6, "expected a value (an integer or a \"string\")"},
        ErrorCase{"TextAfterValue", "Name=1 2", 8, "unexpected text after the value"},
        ErrorCase{"TextAfterPath", "Name Count", 6, "expected '.', '(' or '=' or the end"},
        ErrorCase{"UnclosedString", "Name=\"abc", 10, "the string has no closing '\"'"},
        ErrorCase{"UnknownEscape", R"(Name="a\q")", 8,
                  "unknown escape in a string (use \\\" \\\\ \\t \\r \\n)"},
        ErrorCase{"IntegerOverflow", "Item(2147483648)", 6, "integer out of range: 2147483648"},
        ErrorCase{"LoneMinus", "Item(-)", 7, "expected a digit"},
        // Positions count letters, not bytes.
        ErrorCase{"PositionInCodePoints", "x=\"äöü\" y", 9, "unexpected text after the value"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace flexel::cli
