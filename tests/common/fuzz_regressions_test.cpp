// Inputs the fuzz targets found to go wrong, kept so they stay mended.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/compileform_unit.h"
#include "common/flexel_transducer.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace {

// A UTF-8 mark followed by bytes that are not UTF-8 kept them as they were, so the text model
// held invalid UTF-8 and a saved project came back with U+FFFD in their place.
TEST(FuzzRegression, Utf8MarkedTextWithInvalidBytesIsReadAsLegacyText) {
  const std::vector<std::string> lines = LoadTextLines("\xEF\xBB\xBFs\xBCyle.css\r\nnext");
  ASSERT_EQ(lines, (std::vector<std::string>{"s\xC2\xBCyle.css", "next"}));
  EXPECT_TRUE(nls::IsValidUtf8(lines[0]));
  EXPECT_EQ(LoadTextLines(SaveTextLines(lines)), lines);
}

// A group member that opens a bracket closed only in the pattern after it makes the matcher copy
// the text between them on every try. That copying is paid for in steps: a long pattern tried
// at every length of "*" ran for seconds on a budget meant to end it at once.
TEST(FuzzRegression, TextCopiedAcrossSegmentsIsPaidForInSteps) {
  TTransducer transducer;
  transducer.SetGroups({"[A]\t[x"});
  transducer.SetStepBudget(1000);
  const std::string pattern = "*[A]" + std::string(5000, 'y') + "]";
  std::string output;
  EXPECT_FALSE(transducer.Match(pattern, "abcdef", output));
  EXPECT_TRUE(transducer.BudgetExhausted());
  EXPECT_EQ(output, "");
  // A short reference across the same segments still resolves within the budget.
  transducer.SetGroups({"[A]\t[x", "[xy]\tq"});
  EXPECT_TRUE(transducer.Match("*[A]y]", "aq", output));
  EXPECT_FALSE(transducer.BudgetExhausted());
  EXPECT_EQ(output, "aq");
}

}  // namespace
}  // namespace flexel
