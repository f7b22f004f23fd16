// Inputs the fuzz targets found to go wrong, kept so they stay mended.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/compileform_unit.h"
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

}  // namespace
}  // namespace flexel
