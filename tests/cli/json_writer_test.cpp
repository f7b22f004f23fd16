#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace flexel::cli {
namespace {

struct EscapeCase {
  const char* name;
  std::string text;
  std::string json;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class JsonStringTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringTest, EscapesAndReadsBack) {
  const EscapeCase& c = GetParam();
  std::string out;
  AppendJsonString(out, c.text);
  EXPECT_EQ(out, c.json);
  // Whatever went in, a JSON reader takes it back.
  const std::string back = nlohmann::json::parse(out).get<std::string>();
  if (c.text.find('\x96') == std::string::npos) {
    EXPECT_EQ(back, c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, JsonStringTest,
    ::testing::Values(EscapeCase{"Plain", "hablar", "\"hablar\""}, EscapeCase{"Empty", "", "\"\""},
                      EscapeCase{"QuoteAndBackslash", "a\"b\\c", R"("a\"b\\c")"},
                      EscapeCase{"LineBreaksAndTab", "<tr>\r\n\t", R"("<tr>\r\n\t")"},
                      EscapeCase{"OtherControls", std::string("a\0b\x1f\b\f", 6),
                                 R"("a\u0000b\u001f\b\f")"},
                      EscapeCase{"Utf8StaysAsItIs", "habláis 食べる ½ 😀", "\"habláis 食べる ½ 😀\""},
                      EscapeCase{"SlashAndDeleteUnchanged", "a/b\x7f", "\"a/b\x7f\""},
                      // Bytes that are no UTF-8 are read as the old 8-bit code page.
                      EscapeCase{"LegacyBytes", "caf\xe9 \x96", "\"café –\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonNumberTest, IntegersAndDoubles) {
  std::string out;
  AppendJsonInt(out, -2147352570);
  out += ',';
  AppendJsonDouble(out, 45992.5);
  out += ',';
  AppendJsonDouble(out, 0.1);
  out += ',';
  AppendJsonDouble(out, std::numeric_limits<double>::quiet_NaN());
  out += ',';
  AppendJsonBool(out, true);
  EXPECT_EQ(out, "-2147352570,45992.5,0.1,null,true");
}

}  // namespace
}  // namespace flexel::cli
